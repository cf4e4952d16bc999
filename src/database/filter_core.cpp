#include "database/filter_core.h"

#include "app/messages.h"
#include "database/filter_record.h"
#include "database/stored_date.h"

#include <QDate>

namespace {

DefinitionKind FilterKind() {
    return {"Filter", "Filter", "FilterName", "FilterName", {"FilterName", "ID"}, 3};
}

std::vector<std::pair<QString, QVariant>> Columns(const FilterRecord& r) {
    return {{"FilterName", r.FilterName},
            {"StartName", r.StartName},
            {"EndName", r.EndName},
            {"StartCity", r.StartCity},
            {"EndCity", r.EndCity},
            {"StartState", r.StartState},
            {"EndState", r.EndState},
            {"StartZip", r.StartZip},
            {"EndZip", r.EndZip},
            {"StartEMail", r.StartEMail},
            {"EndEMail", r.EndEMail},
            {"StartPhone", r.StartPhone},
            {"EndPhone", r.EndPhone},
            {"StartCode", r.StartCode},
            {"EndCode", r.EndCode},
            {"StartCarRt", r.StartCarRt},
            {"EndCarRt", r.EndCarRt},
            {"StartDate", StoredDate(r.StartDate)},
            {"EndDate", StoredDate(r.EndDate)},
            {"OrSelect", r.OrSelect},
            {"AndSelect", r.AndSelect},
            {"AndReject", r.AndReject},
            {"OrReject", r.OrReject},
            {"Marked", r.Marked},
            {"Imported", r.Imported},
            {"Sequence", r.Sequence},
            {"Query", r.Query}};
}

} // namespace

FilterCore::FilterCore() : DefinitionStore(FilterKind()) {}

QString FilterCore::FilterName() const {
    return ReadText("FilterName");
}
QString FilterCore::StartName() const {
    return ReadText("StartName");
}
QString FilterCore::EndName() const {
    return ReadText("EndName");
}
QString FilterCore::StartCity() const {
    return ReadText("StartCity");
}
QString FilterCore::EndCity() const {
    return ReadText("EndCity");
}
QString FilterCore::StartState() const {
    return ReadText("StartState");
}
QString FilterCore::EndState() const {
    return ReadText("EndState");
}
QString FilterCore::StartZip() const {
    return ReadText("StartZip");
}
QString FilterCore::EndZip() const {
    return ReadText("EndZip");
}
QString FilterCore::StartEMail() const {
    return ReadText("StartEMail");
}
QString FilterCore::EndEMail() const {
    return ReadText("EndEMail");
}
QString FilterCore::StartPhone() const {
    return ReadText("StartPhone");
}
QString FilterCore::EndPhone() const {
    return ReadText("EndPhone");
}
QString FilterCore::StartCode() const {
    return ReadText("StartCode");
}
QString FilterCore::EndCode() const {
    return ReadText("EndCode");
}
QString FilterCore::StartCarRt() const {
    return ReadText("StartCarRt");
}
QString FilterCore::EndCarRt() const {
    return ReadText("EndCarRt");
}
QDate FilterCore::StartDate() const {
    return ReadDate("StartDate");
}
QDate FilterCore::EndDate() const {
    return ReadDate("EndDate");
}
QString FilterCore::OrSelect() const {
    return ReadText("OrSelect");
}
QString FilterCore::AndSelect() const {
    return ReadText("AndSelect");
}
QString FilterCore::AndReject() const {
    return ReadText("AndReject");
}
QString FilterCore::OrReject() const {
    return ReadText("OrReject");
}
int FilterCore::Marked() const {
    return int(ReadNumber("Marked"));
}
int FilterCore::Imported() const {
    return int(ReadNumber("Imported"));
}
int FilterCore::Sequence() const {
    return int(ReadNumber("Sequence"));
}
QString FilterCore::Query() const {
    return ReadText("Query");
}

bool FilterCore::MoveToName(const QString& name, bool exact) {
    return FindName(name, exact, true);
}

bool FilterCore::NewRecord(const FilterRecord& record) {
    return AddRow(Columns(record));
}

bool FilterCore::UpdateRecord(const FilterRecord& record) {
    return RewriteRow(Columns(record));
}

bool FilterCore::DeleteRecord() {
    if (!AreYouSure("Checking"))
        return false;
    return DeleteCurrentRow();
}
