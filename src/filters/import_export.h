#pragma once

#include "filters/delimited_text.h"
#include "filters/import_source.h"
#include "filters/transfer_items.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct ListRecord;

// Told how far the work has come (done of total: bytes of the file on import, records on
// export); returns false to stop. Stopping keeps what was done.
using ProgressHandler = std::function<bool(qint64 done, qint64 total)>;

// CSV: what the first line of a file is.
enum class FirstLine {
    Detect, // a header when one of its cells is a column name an item is known by
    Header, // always a header
    Data    // always a record
};

// How a file is read.
struct ImportOptions {
    QList<int> fields; // the items of a line's fields, in order
    Delimiter delimiter = Delimiter::QuoteComma;
    char csvDelimiter = 0; // CSV: comma, semicolon or tab; 0 lets the file's first lines tell
    // CSV: when the first line is a header, its headings choose the items of the columns
    // (see MapHeadings) instead of fields. A header line is never imported.
    bool headingsChooseFields = true;
    FirstLine firstLine = FirstLine::Detect;
};

// A line that was not imported, and why.
struct LineNote {
    qint64 line = 0;
    QString reason;
};

struct ImportResult {
    qint64 added = 0;          // records added to the list
    qint64 notImported = 0;    // lines that did not become records (the refused ones too)
    QList<LineNote> faults;    // the first of them, with their reasons
    qint64 refused = 0;        // of them, lines the list refused (each told by its message)
    bool invalidLines = false; // some of them were not in the delimiter's form
    qint64 badByteLines = 0;   // lines holding bytes that are not UTF-8 (replaced)
    QList<qint64> firstBadByteLines;
    qint64 shortLines = 0; // lines with fewer fields than the list (the rest left empty)
    QList<qint64> firstShortLines;
    qint64 blankLines = 0;      // lines with nothing on them, skipped
    QStringList skippedColumns; // headings of the columns no item was mapped to
    bool notText = false;       // the file is not text: refused before anything was stored
    bool cancelled = false;     // stopped by the progress handler
    bool unreadable = false;    // the file could not be opened
    bool failed = false;        // the list could not be written (told by a message)
};

// Adds one record per line of the file to the current list, fields read in the order of
// the field list (or, in a CSV file with a header, of its headings). Lines that can't be
// records are counted with their reasons and the import goes on; blank lines are skipped.
// A file that is not text is refused with a message before anything is stored. A record
// the list refuses is told by its message and the import goes on. Rows are written in
// batches; when the list can't be written at all the import stops with a message, keeping
// the batches already written. The result's report (ImportReportText) is for the caller
// to show.
ImportResult ImportTextFile(const QString& path, const ImportOptions& options,
                            const ProgressHandler& progress = {});
ImportResult ImportTextFile(const QString& path, const QList<int>& fields, Delimiter delimiter,
                            const ProgressHandler& progress = {});

// What the user is told when a file is refused as not text.
QString NotTextMessage(const QString& path);

// What an import did, for the user: "N records were imported." and, each on a line of its
// own, the lines not imported with the first line numbers and their reasons, the lines with
// characters that are not UTF-8, the short lines and the columns skipped.
QString ImportReportText(const ImportResult& result);

// What an import of a file will do, read before anything is stored: the first records'
// values and the items their columns go to.
struct ImportPlan {
    bool readable = false; // the file could be opened and is text
    char csvDelimiter = 0; // CSV: the delimiter read (or chosen)
    bool header = false;   // CSV: the first line is a header
    QStringList headings;  // its headings
    QList<int> fields;     // the items of the columns, as the import takes them
    QStringList unmatched; // headings no item was mapped to
    QList<SourceRow> rows; // the first records' values
    int columns = 0;       // the most fields of a line among them (and of the header)
};

// Reads the header (CSV) and the first records (at most rows of them, blank lines skipped)
// of a file as ImportTextFile would, without storing anything or showing a message.
ImportPlan PlanImport(const QString& path, const ImportOptions& options, int rows = 20);

// The items of a record as a preview shows them, and a record's values in that order (as
// stored: the name reversed into "Last; First", ZIP code and phone as digits).
QStringList PreviewCaptions();
QStringList PreviewValues(const ListRecord& record);

// A planned line as the record it will be stored as, or its fault.
LineFault PlannedRecord(const SourceRow& row, const QList<int>& fields, const QDate& today,
                        ListRecord& record, QString& reason);

struct ExportOptions {
    QList<int> fields;
    Delimiter delimiter = Delimiter::QuoteComma;
    double skip = 0;     // records skipped before the first one written
    double interval = 1; // write every interval-th record (0 or less: every one)
    bool mailMerge = false;
};

enum class WriteResult { Written, NoRecords, Cancelled };

// Writes the records of the current filter, in its order, to the file (a mail-merge file
// starts with a header line). No file is made when the filter selects no record or the
// progress handler stops the work. Throws EngineError when the file can't be written; the
// target is then left as it was.
WriteResult WriteDelimitedFile(const QString& path, const ExportOptions& options,
                               const ProgressHandler& progress = {});

// The number a "Nth select" box begins with, rounded half to even; no number is 0.
double NthSelectValue(const QString& text);
