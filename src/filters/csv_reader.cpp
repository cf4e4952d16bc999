#include "filters/csv_reader.h"

#include <csv.h>

#include <array>

namespace {

// Blanks around a field are data: RFC 4180 keeps them, and so do spreadsheets.
int NoSpace(unsigned char) {
    return 0;
}

// The end of the first line in bytes from start: the index just after its line end
// (CR LF, LF or a CR not followed by LF), or -1 when the bytes hold no complete line. A CR
// that is the last byte may be the first half of CR LF, so it waits for more unless this
// is the end of the input.
qsizetype LineEnd(QByteArrayView bytes, qsizetype start, bool last) {
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    for (qsizetype i = start; i < size; ++i) {
        const char c = data[i];
        if (c == '\n')
            return i + 1;
        if (c == '\r') {
            if (i + 1 < size)
                return data[i + 1] == '\n' ? i + 2 : i + 1;
            return last ? i + 1 : -1;
        }
    }
    return -1;
}

} // namespace

CsvReader::CsvReader(char delimiter)
    : m_parser(std::make_unique<csv_parser>()), m_delimiter(delimiter) {
    Start();
    m_line = 1;
    m_row.line = 1;
}

CsvReader::~CsvReader() {
    csv_free(m_parser.get());
}

void CsvReader::Start() {
    // Strict: a quotation mark out of place is an error instead of swallowing what follows
    // into one field. Every line end is reported, so that lines can be counted.
    csv_init(m_parser.get(), CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL);
    csv_set_delim(m_parser.get(), static_cast<unsigned char>(m_delimiter));
    csv_set_space_func(m_parser.get(), &NoSpace);
}

void CsvReader::FieldEnd(void* data, size_t size, void* self) {
    auto* reader = static_cast<CsvReader*>(self);
    reader->m_rowStarted = true;
    CsvRow& row = reader->m_row;
    row.bytes.append(static_cast<const char*>(data), qsizetype(size));
    row.ends.append(row.bytes.size());
}

void CsvReader::RowEnd(int, void* self) {
    auto* reader = static_cast<CsvReader*>(self);
    // A line end with no field before it is an empty line, or the LF of a CR LF.
    if (reader->m_rowStarted)
        reader->m_rows.push_back(std::move(reader->m_row));
    reader->m_row = CsvRow();
    reader->m_rowStarted = false;
    reader->m_row.line = reader->m_line + 1;
    reader->m_lineEnded = true;
}

void CsvReader::GiveUpRecord(CsvRow::Problem problem, QByteArrayView line) {
    // The record is not one. Its first line goes with it; the lines after that, which a
    // quotation mark left open had taken into the record, are read again on their own.
    CsvRow bad;
    bad.line = m_row.line;
    bad.problem = problem;
    m_rows.push_back(std::move(bad));
    QByteArray lines = m_recordLines + line.toByteArray();
    const qsizetype first = LineEnd(lines, 0, true);
    m_replay = (first < 0 ? QByteArray() : lines.mid(first)) + m_replay;
    m_recordLines.clear();
    csv_free(m_parser.get());
    Start();
    m_line = bad.line + 1;
    m_row = CsvRow();
    m_row.line = m_line;
    m_rowStarted = false;
}

bool CsvReader::ParseLine(QByteArrayView line) {
    m_lineEnded = false;
    const size_t parsed =
        csv_parse(m_parser.get(), line.data(), size_t(line.size()), &FieldEnd, &RowEnd, this);
    if (parsed < size_t(line.size()) && csv_error(m_parser.get()) != CSV_SUCCESS) {
        GiveUpRecord(CsvRow::Problem::StrayQuote, line);
        return false;
    }
    // The lines of a record still open are kept, to be read again if it turns out not to
    // be one.
    if (m_lineEnded)
        m_recordLines.clear();
    else
        m_recordLines.append(line.data(), line.size());
    ++m_line;
    return true;
}

void CsvReader::ParseLines(QByteArrayView input, bool last, qsizetype& start) {
    for (qsizetype end; (end = LineEnd(input, start, last)) >= 0;) {
        const QByteArrayView line = input.sliced(start, end - start);
        start = end;
        if (!ParseLine(line))
            ParseReplay();
    }
}

void CsvReader::ParseReplay() {
    while (!m_replay.isEmpty()) {
        const QByteArray work = std::move(m_replay);
        m_replay.clear();
        qsizetype start = 0;
        while (start < work.size()) {
            // The last line given back may have no line end (the end of the input).
            qsizetype end = LineEnd(work, start, true);
            if (end < 0)
                end = work.size();
            if (!ParseLine(QByteArrayView(work).sliced(start, end - start))) {
                // What this pass has not read yet follows the lines given back.
                m_replay += work.mid(end);
                break;
            }
            start = end;
        }
    }
}

void CsvReader::Feed(QByteArrayView bytes) {
    // Lines are parsed whole, so that each record knows the line it begins on; the start
    // of a line whose end is still to come waits for the next piece.
    QByteArrayView input = bytes;
    if (!m_partial.isEmpty()) {
        m_partial.append(bytes);
        input = m_partial;
    }
    qsizetype start = 0;
    ParseLines(input, false, start);
    m_partial = input.sliced(start).toByteArray();
}

void CsvReader::Finish() {
    qsizetype start = 0;
    const QByteArray rest = std::move(m_partial);
    m_partial.clear();
    ParseLines(rest, true, start);
    // A last line without a line end.
    if (start < rest.size() && !ParseLine(QByteArrayView(rest).sliced(start)))
        ParseReplay();
    while (csv_fini(m_parser.get(), &FieldEnd, &RowEnd, this) != 0) {
        GiveUpRecord(CsvRow::Problem::UnclosedQuote, {});
        ParseReplay();
    }
}

bool CsvReader::TakeRow(CsvRow& row) {
    if (m_rows.empty())
        return false;
    row = std::move(m_rows.front());
    m_rows.pop_front();
    return true;
}

char CsvReader::DetectDelimiter(QByteArrayView head) {
    constexpr std::array<char, 3> candidates = {',', ';', '\t'};
    constexpr int kLines = 20;
    // Per candidate, its count on each line outside quoted fields.
    std::array<QList<int>, 3> counts;
    std::array<int, 3> onLine = {0, 0, 0};
    bool quoted = false;
    const auto endLine = [&] {
        for (size_t c = 0; c < candidates.size(); ++c)
            counts[c].append(onLine[c]);
        onLine = {0, 0, 0};
    };
    bool lineHasText = false;
    for (char ch : head) {
        if (ch == '"') {
            quoted = !quoted;
        } else if (!quoted && (ch == '\n' || ch == '\r')) {
            if (lineHasText)
                endLine();
            lineHasText = false;
            if (counts[0].size() >= kLines)
                break;
            continue;
        } else if (!quoted) {
            for (size_t c = 0; c < candidates.size(); ++c)
                onLine[c] += ch == candidates[c];
        }
        lineHasText = true;
    }
    // A line cut off by the end of the sample counts only when it is the only one.
    if (lineHasText && counts[0].isEmpty())
        endLine();
    char best = ',';
    int bestScore = 0;
    for (size_t c = 0; c < candidates.size(); ++c) {
        const QList<int>& perLine = counts[c];
        if (perLine.isEmpty() || perLine.first() == 0)
            continue;
        // Every line split the same way scores above any uneven split.
        bool even = true;
        for (int n : perLine)
            even = even && n == perLine.first();
        const int score = (even ? 1000000 : 0) + perLine.first();
        if (score > bestScore) {
            bestScore = score;
            best = candidates[c];
        }
    }
    return best;
}

QList<CsvRow> CsvReader::ReadAll(QByteArrayView bytes, char delimiter) {
    CsvReader reader(delimiter);
    reader.Feed(bytes);
    reader.Finish();
    QList<CsvRow> rows;
    CsvRow row;
    while (reader.TakeRow(row))
        rows.append(row);
    return rows;
}
