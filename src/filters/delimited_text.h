#pragma once

#include <QString>
#include <QStringList>

// The line forms of delimited text files: every field in quotation marks and separated by
// commas (the transfer form), fields separated by tabs without quotation marks, or
// comma-separated values as spreadsheets write them (see CsvReader and CsvLine).
enum class Delimiter { QuoteComma = 0, Tab = 1, Csv = 2 };

// What reading one field of a line gave.
enum class FieldRead {
    Field,     // a field; more may follow
    EndOfLine, // the line's last field
    Invalid,   // the line is not in the expected form
};

// Reads the field after position (0 before the first field; afterwards the value the
// previous call left). Quote comma: position is the 1-based position of the previous
// field's closing quotation mark; two quotation marks in a row inside a field stand for
// one, and a closing mark must be followed by a comma or the line's end. Tab: position is
// the index just after the previous tab.
FieldRead ReadQuotedField(const QString& line, int& position, QString& field);
FieldRead ReadTabField(const QString& line, int& position, QString& field);
FieldRead ReadField(Delimiter delimiter, const QString& line, int& position, QString& field);

// Every field of a line in the quote-comma or tab form; false when the line is not in
// that form.
bool SplitLine(const QString& line, Delimiter delimiter, QStringList& fields);

// One line of fields in the given form, without its line end.
QString JoinFields(const QStringList& fields, Delimiter delimiter);
