#include "filters/import_source.h"

#include "filters/text_line_reader.h"
#include "filters/utf16_text_copy.h"

namespace {

constexpr qint64 kChunk = 1 << 16;

// True when no value holds anything but blanks.
bool AllEmpty(const QStringList& values) {
    for (const QString& value : values)
        for (QChar c : value)
            if (!c.isSpace())
                return false;
    return true;
}

} // namespace

ImportSource::ImportSource(const QString& path, Delimiter delimiter, char csvDelimiter)
    : m_delimiter(delimiter) {
    QString readPath = path;
    if (Utf16TextCopy::IsUtf16(path)) {
        m_utf16 = std::make_unique<Utf16TextCopy>(path);
        if (!m_utf16->IsMade())
            return;
        readPath = m_utf16->Path();
    }
    if (delimiter != Delimiter::Csv) {
        m_lines = std::make_unique<TextLineReader>(readPath);
        m_open = m_lines->IsOpen();
        m_survey = m_lines->Survey();
        return;
    }
    m_file.setFileName(readPath);
    if (!m_file.open(QIODevice::ReadOnly))
        return;
    m_survey = SurveyText(m_file);
    m_file.seek(m_survey.bom ? 3 : 0);
    m_fed = m_survey.bom ? 3 : 0;
    m_csvDelimiter = csvDelimiter;
    if (m_csvDelimiter == 0) {
        m_csvDelimiter = CsvReader::DetectDelimiter(m_file.peek(kChunk));
    }
    m_csv = std::make_unique<CsvReader>(m_csvDelimiter);
    m_open = true;
}

ImportSource::~ImportSource() = default;

qint64 ImportSource::BytesRead() const {
    return m_lines ? m_lines->BytesRead() : m_fed;
}

bool ImportSource::Next(SourceRow& row) {
    if (!m_open)
        return false;
    while (m_lines ? NextLine(row) : NextCsv(row)) {
        if (row.notARecord || !AllEmpty(row.values))
            return true;
        ++m_blank;
    }
    return false;
}

bool ImportSource::NextLine(SourceRow& row) {
    QString line;
    row = SourceRow();
    if (!m_lines->ReadLine(line, &row.badBytes))
        return false;
    row.line = ++m_lineNumber;
    if (line.trimmed().isEmpty())
        return true; // a blank line: no values
    row.notARecord = !SplitLine(line, m_delimiter, row.values);
    return true;
}

bool ImportSource::NextCsv(SourceRow& row) {
    CsvRow read;
    while (!m_csv->TakeRow(read)) {
        if (m_finished)
            return false;
        const QByteArray chunk = m_file.read(kChunk);
        if (chunk.isEmpty()) {
            m_csv->Finish();
            m_finished = true;
        } else {
            m_fed += chunk.size();
            m_csv->Feed(chunk);
        }
    }
    row = SourceRow();
    row.line = read.line;
    row.notARecord = read.problem != CsvRow::Problem::None;
    row.values.reserve(read.FieldCount());
    for (qsizetype i = 0; i < read.FieldCount(); ++i) {
        bool bad = false;
        row.values << DecodeText(m_survey, read.Field(i), &bad);
        row.badBytes = row.badBytes || bad;
    }
    return true;
}
