#include "database/label_core.h"

#include "app/messages.h"
#include "database/label_record.h"

#include <cmath>

namespace {

DefinitionKind LabelKind() {
    return {"Labels", "Label", QString(), "ID", {"ID"}, 2};
}

// Rows and columns are whole numbers in the file; a fraction rounds to the nearest, a half
// to the even neighbour.
QVariant WholeNumber(float value) {
    return qint64(std::nearbyint(double(value)));
}

std::vector<std::pair<QString, QVariant>> Columns(const LabelRecord& r) {
    return {{"LName", r.LName},
            {"LRows", WholeNumber(r.LRows)},
            {"LCols", WholeNumber(r.LCols)},
            {"IndentTop", double(r.IndentTop)},
            {"IndentLeft", double(r.IndentLeft)},
            {"RowDelta", double(r.RowDelta)},
            {"ColDelta", double(r.ColDelta)},
            {"LTypeSize", double(r.LTypeSize)}};
}

} // namespace

LabelCore::LabelCore() : DefinitionStore(LabelKind()) {}

QString LabelCore::LName() const {
    return ReadText("LName");
}
float LabelCore::LRows() const {
    return float(ReadReal("LRows"));
}
float LabelCore::LCols() const {
    return float(ReadReal("LCols"));
}
float LabelCore::IndentTop() const {
    return float(ReadReal("IndentTop"));
}
float LabelCore::IndentLeft() const {
    return float(ReadReal("IndentLeft"));
}
float LabelCore::RowDelta() const {
    return float(ReadReal("RowDelta"));
}
float LabelCore::ColDelta() const {
    return float(ReadReal("ColDelta"));
}
float LabelCore::LTypeSize() const {
    return float(ReadReal("LTypeSize"));
}

bool LabelCore::NewRecord(const LabelRecord& record) {
    return AddRow(Columns(record));
}

bool LabelCore::UpdateRecord(const LabelRecord& record) {
    return RewriteRow(Columns(record));
}

bool LabelCore::DeleteRecord() {
    if (Records() <= 1)
        return false;
    if (!AreYouSure("Checking"))
        return false;
    return DeleteCurrentRow();
}
