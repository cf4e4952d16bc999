#pragma once

#include "filters/csv_reader.h"
#include "filters/delimited_text.h"
#include "filters/text_encoding.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>

class TextLineReader;
class Utf16TextCopy;

// One line (or, in a CSV file, one record, which may run over several lines) of a file
// to import.
struct SourceRow {
    qint64 line = 0;         // the line it begins on, from 1
    QStringList values;      // its fields as text
    bool notARecord = false; // not in the delimiter's form (values then empty)
    bool badBytes = false;   // held bytes that are not UTF-8 in a UTF-8 file
};

// The records of a delimited text file, one by one, in its encoding (UTF-8, Windows-1252,
// or UTF-16 with its byte-order mark): lines in the quote-comma or tab form, or CSV records. Lines
// with nothing on them (no text in any field) are skipped and counted.
class ImportSource {
public:
    // csvDelimiter 0 lets the first lines of a CSV file tell theirs.
    ImportSource(const QString& path, Delimiter delimiter, char csvDelimiter = 0);
    ~ImportSource();

    bool IsOpen() const { return m_open; }
    const TextSurvey& Survey() const { return m_survey; }
    char CsvDelimiter() const { return m_csvDelimiter; }
    bool Next(SourceRow& row);
    qint64 BlankLines() const { return m_blank; }
    qint64 BytesRead() const;
    qint64 Size() const { return m_survey.size; }

private:
    bool NextLine(SourceRow& row);
    bool NextCsv(SourceRow& row);

    Delimiter m_delimiter;
    std::unique_ptr<Utf16TextCopy> m_utf16; // the UTF-8 copy read instead of a UTF-16 file
    bool m_open = false;
    TextSurvey m_survey;
    std::unique_ptr<TextLineReader> m_lines;
    qint64 m_lineNumber = 0;
    QFile m_file;
    std::unique_ptr<CsvReader> m_csv;
    char m_csvDelimiter = ',';
    qint64 m_fed = 0;
    bool m_finished = false;
    qint64 m_blank = 0;
};
