#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// A value as a CSV field: in quotation marks, with each inner one doubled, only when it
// holds the delimiter, a quotation mark or a line break (RFC 4180).
void AppendCsvField(QString& line, const QString& value, QChar delimiter = QLatin1Char(','));
// A line of CSV fields, without its line end.
QString CsvLine(const QStringList& values, QChar delimiter = QLatin1Char(','));
