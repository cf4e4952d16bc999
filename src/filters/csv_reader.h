#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <deque>
#include <memory>

struct csv_parser;

// One record of a CSV file: its fields as the file's bytes (quotes taken off, doubled
// quotes made single, line breaks inside quoted fields kept as they are), and the line of
// the file it begins on.
struct CsvRow {
    enum class Problem {
        None,
        StrayQuote,   // a quotation mark where none may stand: not a record
        UnclosedQuote // the file ended inside a quoted field: not a record, and the lines
                      // after its first are read again as records of their own
    };
    qint64 line = 0;
    Problem problem = Problem::None;
    // The fields' bytes one after another, and where each field ends in them.
    QByteArray bytes;
    QList<qsizetype> ends;

    qsizetype FieldCount() const { return ends.size(); }
    QByteArrayView Field(qsizetype i) const {
        const qsizetype start = i == 0 ? 0 : ends.at(i - 1);
        return QByteArrayView(bytes).sliced(start, ends.at(i) - start);
    }
};

// Reads comma-separated values (RFC 4180, as spreadsheets and address books write them)
// from bytes given in pieces of any size, through libcsv. Fields may be quoted or not;
// a quoted field may hold the delimiter, doubled quotation marks and line breaks. Lines
// end with CR LF, LF or CR alone. Blanks around a field are part of it. An empty line is
// no record. A record with a quotation mark out of place, or one whose quoted field never
// closes, is given as a problem, and reading goes on with the line after its first: a
// stray quotation mark costs one line, not the rest of the file.
class CsvReader {
public:
    explicit CsvReader(char delimiter);
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    void Feed(QByteArrayView bytes);
    // The end of the input.
    void Finish();
    // The oldest record read and not yet taken; false when there is none.
    bool TakeRow(CsvRow& row);

    // The delimiter the first lines use: comma, semicolon or tab, by the one that splits
    // them most evenly outside quoted fields; comma when none does.
    static char DetectDelimiter(QByteArrayView head);
    // Every record of a text (for tests and previews of short texts).
    static QList<CsvRow> ReadAll(QByteArrayView bytes, char delimiter);

private:
    static void FieldEnd(void* data, size_t size, void* self);
    static void RowEnd(int terminator, void* self);
    // Parses one line; false when it ended the record as not one.
    bool ParseLine(QByteArrayView line);
    // Parses the complete lines of input from start, moving start past them.
    void ParseLines(QByteArrayView input, bool last, qsizetype& start);
    void ParseReplay();
    void GiveUpRecord(CsvRow::Problem problem, QByteArrayView line);
    void Start();

    std::unique_ptr<csv_parser> m_parser;
    char m_delimiter;
    QByteArray m_partial; // the start of a line whose end has not come yet
    qint64 m_line = 0;    // the line being parsed
    CsvRow m_row;         // the record being read
    bool m_rowStarted = false;
    bool m_lineEnded = false; // the line parsed last ended a record (or was empty)
    QByteArray m_recordLines; // the lines of the record still open, before the current one
    QByteArray m_replay;      // lines to read again after a record that was not one
    std::deque<CsvRow> m_rows;
};
