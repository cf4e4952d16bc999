#include "filters/delimited_text.h"

FieldRead ReadQuotedField(const QString& line, int& position, QString& field) {
    const int length = line.size();
    int start = 0; // 1-based position where the field's text begins
    if (position == 0) {
        // The shortest line is one empty field, "", as the export writes for a record
        // whose only exported value is empty.
        if (length < 2 || line.at(0) != QLatin1Char('"'))
            return FieldRead::Invalid;
        start = 2;
    } else if (position < length - 3 && line.at(position) == QLatin1Char(',')) {
        start = position + 3; // after the comma and the opening quotation mark
    } else {
        start = position; // no further field: an empty one
    }
    const int close = line.indexOf(QLatin1Char('"'), start - 1) + 1;
    if (close == 0)
        return FieldRead::Invalid;
    field = line.mid(start - 1, close - start);
    position = close;
    return close == length ? FieldRead::EndOfLine : FieldRead::Field;
}

FieldRead ReadTabField(const QString& line, int& position, QString& field) {
    if (position > line.size()) {
        field.clear();
        return FieldRead::EndOfLine;
    }
    const int tab = line.indexOf(QLatin1Char('\t'), position);
    if (tab < 0) {
        field = line.mid(position);
        position = line.size() + 1;
        return FieldRead::EndOfLine;
    }
    field = line.mid(position, tab - position);
    position = tab + 1;
    return tab == line.size() - 1 ? FieldRead::EndOfLine : FieldRead::Field;
}

FieldRead ReadField(Delimiter delimiter, const QString& line, int& position, QString& field) {
    return delimiter == Delimiter::Tab ? ReadTabField(line, position, field)
                                       : ReadQuotedField(line, position, field);
}

QString JoinFields(const QStringList& fields, Delimiter delimiter) {
    if (delimiter == Delimiter::Tab)
        return fields.join(QLatin1Char('\t'));
    return "\"" + fields.join(QLatin1String("\",\"")) + "\"";
}
