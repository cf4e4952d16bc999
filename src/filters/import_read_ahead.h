#pragma once

#include "database/encoded_record.h"
#include "database/list_record.h"
#include "filters/import_source.h"
#include "filters/transfer_items.h"

#include <QDate>
#include <QList>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// A line of the file made ready for the list: its record, or why it can't be one.
struct PreparedRow {
    qint64 line = 0;
    ListRecord record;
    EncodedRecord encoded; // the record as stored (read ahead, the record is then left empty)
    LineFault fault = LineFault::None;
    QString reason;         // with a fault: the report's words for it
    bool badBytes = false;  // held bytes that are not UTF-8
    bool shortLine = false; // fewer fields than the list
    qint64 bytesRead = 0;   // how far the file had been read after this line
};

// Reads and maps the lines of a file on a thread of its own, a few batches ahead of the
// caller, who adds the records to the list meanwhile: on a large file the reading and the
// writing then take turns on two processors instead of one. Destroying it stops the
// reading.
class ImportReadAhead {
public:
    // first, when given, is a row the caller has read already, to come before the rest.
    ImportReadAhead(ImportSource& source, const QList<int>& fields, const QDate& today,
                    const SourceRow* first);
    ~ImportReadAhead();
    ImportReadAhead(const ImportReadAhead&) = delete;
    ImportReadAhead& operator=(const ImportReadAhead&) = delete;

    // The next rows, in the file's order; false (and no rows) at the end of the file.
    bool Next(std::vector<PreparedRow>& rows);
    // A line made ready (also for previews and other callers that read on their own).
    static PreparedRow Prepare(const SourceRow& row, const QList<int>& fields, const QDate& today);

private:
    void Run(SourceRow first, bool haveFirst, qint64 firstBytes);

    ImportSource& m_source;
    const QList<int> m_fields;
    const QDate m_today;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::condition_variable m_room;
    std::deque<std::vector<PreparedRow>> m_batches;
    bool m_done = false;
    bool m_stop = false;
    std::thread m_thread;
};
