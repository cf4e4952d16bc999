#pragma once

#include "filters/delimited_text.h"

#include <QList>
#include <QString>
#include <functional>

// Told how far the work has come (done of total: bytes of the file on import, records on
// export); returns false to stop. Stopping keeps what was done.
using ProgressHandler = std::function<bool(qint64 done, qint64 total)>;

struct ImportResult {
    qint64 added = 0;        // records added to the list
    qint64 refused = 0;      // lines the list refused (each told by its message)
    qint64 invalidLine = 0;  // the number of the line that stopped the import, 0 for none
    bool cancelled = false;  // stopped by the progress handler
    bool unreadable = false; // the file could not be opened
    bool failed = false;     // the list could not be written (told by a message)
};

// Adds one record per line of the file to the current list, fields read in the order of
// the field list. An invalid line stops the import with "Invalid input file." (and its
// line number); the records of earlier lines stay. A record the list refuses is told by
// its message and the import goes on. Rows are written in batches; when the list can't be
// written at all the import stops with a message, keeping the batches already written.
ImportResult ImportTextFile(const QString& path, const QList<int>& fields, Delimiter delimiter,
                            const ProgressHandler& progress = {});

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
