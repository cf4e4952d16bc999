#include "filters/context_search.h"

namespace {

struct FieldNames {
    const char* caption;
    const char* column;
};

const FieldNames kFields[kContextFieldCount] = {
    {"Name", "Name"},
    {"Address", "Address"},
    {"City", "City"},
    {"Zip", "Zip"},
    {"EMail Address", "EMail"},
    {"Phone", "Phone"},
    {"Attention Line", "Attention"},
    {"Carrier Route", "CarRt"},
    {"Code", "Code"},
    {"Notes", "Notes"},
};

const FieldNames& Names(ContextField field) {
    const int index = int(field);
    return kFields[index >= 0 && index < kContextFieldCount ? index : 0];
}

} // namespace

QString ContextFieldCaption(ContextField field) {
    return QString::fromLatin1(Names(field).caption);
}

QString ContextFieldColumn(ContextField field) {
    return QString::fromLatin1(Names(field).column);
}

bool ContextMatches(const QString& field, const QString& text, bool invert) {
    const bool found =
        text.isEmpty() ? field.trimmed().isEmpty() : field.contains(text, Qt::CaseInsensitive);
    return found != invert;
}
