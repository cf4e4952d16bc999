#include "database/template_core.h"

#include "database/template_record.h"

namespace {

DefinitionKind TemplateKind() {
    return {"Template", "Template", "TemplateName", "TemplateName", {}, 6};
}

std::vector<std::pair<QString, QVariant>> Columns(const TemplateRecord& r) {
    return {{"TemplateName", r.TemplateName},
            {"Name", r.Name},
            {"Address", r.Address},
            {"City", r.City},
            {"State", r.State},
            {"Zip", r.Zip},
            {"EMail", r.EMail},
            {"Phone", r.Phone},
            {"Attention", r.Attention},
            {"Code", r.Code},
            {"CarRt", r.CarRt},
            {"Switches", r.Switches},
            {"Notes", r.Notes},
            {"Marked", r.Marked}};
}

} // namespace

TemplateCore::TemplateCore() : DefinitionStore(TemplateKind()) {}

QString TemplateCore::TemplateName() const {
    return ReadText("TemplateName");
}
QString TemplateCore::Name() const {
    return ReadText("Name");
}
QString TemplateCore::Address() const {
    return ReadText("Address");
}
QString TemplateCore::City() const {
    return ReadText("City");
}
QString TemplateCore::State() const {
    return ReadText("State");
}
QString TemplateCore::Zip() const {
    return ReadText("Zip");
}
QString TemplateCore::EMail() const {
    return ReadText("EMail");
}
QString TemplateCore::Phone() const {
    return ReadText("Phone");
}
QString TemplateCore::Attention() const {
    return ReadText("Attention");
}
QString TemplateCore::Code() const {
    return ReadText("Code");
}
QString TemplateCore::CarRt() const {
    return ReadText("CarRt");
}
QString TemplateCore::Switches() const {
    return ReadText("Switches");
}
QString TemplateCore::Notes() const {
    return ReadText("Notes");
}
int TemplateCore::Marked() const {
    return int(ReadNumber("Marked"));
}

bool TemplateCore::NewRecord(const TemplateRecord& record) {
    return AddRow(Columns(record));
}

bool TemplateCore::UpdateRecord(const TemplateRecord& record) {
    return RewriteRow(Columns(record));
}

bool TemplateCore::DeleteRecord() {
    return DeleteCurrentRow();
}

bool TemplateCore::MoveToName(const QString& name, bool exact) {
    return FindName(name, exact, false);
}
