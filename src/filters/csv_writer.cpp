#include "filters/csv_writer.h"

void AppendCsvField(QString& line, const QString& value, QChar delimiter) {
    bool quote = false;
    for (QChar c : value) {
        if (c == delimiter || c == QLatin1Char('"') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n')) {
            quote = true;
            break;
        }
    }
    if (!quote) {
        line += value;
        return;
    }
    line += QLatin1Char('"');
    for (QChar c : value) {
        if (c == QLatin1Char('"'))
            line += QLatin1Char('"');
        line += c;
    }
    line += QLatin1Char('"');
}

QString CsvLine(const QStringList& values, QChar delimiter) {
    QString line;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            line += delimiter;
        AppendCsvField(line, values.at(i), delimiter);
    }
    return line;
}
