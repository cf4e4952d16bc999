#pragma once

#include <QString>
#include <QStringList>

// The two line forms of delimited text files: every field in quotation marks and
// separated by commas, or fields separated by tabs without quotation marks.
enum class Delimiter { QuoteComma = 0, Tab = 1 };

// What reading one field of a line gave.
enum class FieldRead {
    Field,     // a field; more may follow
    EndOfLine, // the line's last field
    Invalid,   // the line is not in the expected form
};

// Reads the field after position (0 before the first field; afterwards the value the
// previous call left). Quote comma: position is the 1-based position of the previous
// field's closing quotation mark; a field cannot hold a quotation mark. Tab: position is
// the index just after the previous tab.
FieldRead ReadQuotedField(const QString& line, int& position, QString& field);
FieldRead ReadTabField(const QString& line, int& position, QString& field);
FieldRead ReadField(Delimiter delimiter, const QString& line, int& position, QString& field);

// One line of fields in the given form, without its line end.
QString JoinFields(const QStringList& fields, Delimiter delimiter);
