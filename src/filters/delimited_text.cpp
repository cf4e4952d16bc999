#include "filters/delimited_text.h"

#include "filters/csv_writer.h"

FieldRead ReadQuotedField(const QString& line, int& position, QString& field) {
    const int length = line.size();
    int start = 0; // 1-based position where the field's text begins
    if (position == 0) {
        // The shortest line is one empty field, "", as the export writes for a record
        // whose only exported value is empty.
        if (length < 2 || line.at(0) != QLatin1Char('"'))
            return FieldRead::Invalid;
        start = 2;
    } else if (position + 3 <= length && line.at(position) == QLatin1Char(',') &&
               line.at(position + 1) == QLatin1Char('"')) {
        start = position + 3; // after the comma and the opening quotation mark
    } else if (position >= length) {
        field.clear(); // no further field: an empty one
        return FieldRead::EndOfLine;
    } else {
        return FieldRead::Invalid; // something other than a comma after a closing mark
    }
    // The field ends at the first quotation mark that is not doubled.
    field.clear();
    int from = start - 1; // 0-based
    while (true) {
        const int mark = line.indexOf(QLatin1Char('"'), from);
        if (mark < 0)
            return FieldRead::Invalid;
        if (mark + 1 < length && line.at(mark + 1) == QLatin1Char('"')) {
            field += QStringView(line).mid(from, mark + 1 - from);
            from = mark + 2;
            continue;
        }
        field += QStringView(line).mid(from, mark - from);
        position = mark + 1;
        break;
    }
    if (position == length)
        return FieldRead::EndOfLine;
    return line.at(position) == QLatin1Char(',') ? FieldRead::Field : FieldRead::Invalid;
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

bool SplitLine(const QString& line, Delimiter delimiter, QStringList& fields) {
    fields.clear();
    int position = 0;
    QString field;
    while (true) {
        const FieldRead read = ReadField(delimiter, line, position, field);
        if (read == FieldRead::Invalid)
            return false;
        fields.append(field);
        if (read == FieldRead::EndOfLine)
            return true;
    }
}

QString JoinFields(const QStringList& fields, Delimiter delimiter) {
    if (delimiter == Delimiter::Tab)
        return fields.join(QLatin1Char('\t'));
    if (delimiter == Delimiter::Csv)
        return CsvLine(fields);
    return "\"" + fields.join(QLatin1String("\",\"")) + "\"";
}
