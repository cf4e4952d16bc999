#include "filters/import_read_ahead.h"

namespace {

constexpr size_t kBatchRows = 1024;
constexpr size_t kBatchesAhead = 4;

} // namespace

PreparedRow ImportReadAhead::Prepare(const SourceRow& row, const QList<int>& fields,
                                     const QDate& today) {
    PreparedRow prepared;
    prepared.line = row.line;
    prepared.badBytes = row.badBytes;
    QString item;
    prepared.fault = row.notARecord
                         ? LineFault::NotARecord
                         : RecordFromFields(row.values, fields, today, prepared.record, &item);
    if (prepared.fault != LineFault::None)
        prepared.reason = LineFaultText(prepared.fault, item);
    else
        prepared.shortLine = row.values.size() < fields.size();
    return prepared;
}

ImportReadAhead::ImportReadAhead(ImportSource& source, const QList<int>& fields, const QDate& today,
                                 const SourceRow* first)
    : m_source(source), m_fields(fields), m_today(today) {
    m_thread = std::thread(&ImportReadAhead::Run, this, first ? *first : SourceRow(),
                           first != nullptr, source.BytesRead());
}

ImportReadAhead::~ImportReadAhead() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_room.notify_all();
    m_thread.join();
}

void ImportReadAhead::Run(SourceRow first, bool haveFirst, qint64 firstBytes) {
    std::vector<PreparedRow> batch;
    batch.reserve(kBatchRows);
    SourceRow row = std::move(first);
    bool haveRow = haveFirst || m_source.Next(row);
    qint64 bytesRead = haveFirst ? firstBytes : m_source.BytesRead();
    while (true) {
        if (haveRow) {
            PreparedRow& prepared = batch.emplace_back(Prepare(row, m_fields, m_today));
            prepared.bytesRead = bytesRead;
            // Encoded here, the record costs the thread that writes the list nothing more
            // than binding its bytes.
            if (prepared.fault == LineFault::None) {
                prepared.encoded = EncodedRecord(prepared.record);
                prepared.record = ListRecord();
            }
        }
        if (batch.size() == kBatchRows || (!haveRow && !batch.empty())) {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_room.wait(lock, [this] { return m_stop || m_batches.size() < kBatchesAhead; });
            if (m_stop)
                return;
            m_batches.push_back(std::move(batch));
            batch = std::vector<PreparedRow>();
            batch.reserve(kBatchRows);
            m_ready.notify_one();
        }
        if (!haveRow)
            break;
        haveRow = m_source.Next(row);
        bytesRead = m_source.BytesRead();
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_done = true;
    m_ready.notify_one();
}

bool ImportReadAhead::Next(std::vector<PreparedRow>& rows) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_ready.wait(lock, [this] { return m_done || !m_batches.empty(); });
    if (m_batches.empty()) {
        rows.clear();
        return false;
    }
    rows = std::move(m_batches.front());
    m_batches.pop_front();
    m_room.notify_one();
    return true;
}
