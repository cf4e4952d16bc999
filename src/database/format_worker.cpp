#include "database/format_worker.h"

#include "database/ranked_sorter.h"

#include <algorithm>
#include <cstring>

namespace {

// Batches waiting at most: enough to keep the workers busy, few enough to bound memory.
constexpr size_t kMaxQueued = 8;

// Two workers even on two cores: the reading thread has far less to do than they have.
unsigned WorkerCount() {
    return std::clamp(std::thread::hardware_concurrency(), 2u, 4u);
}

template <typename T> T Take(const char*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

} // namespace

void FormatWorker::BatchWriter::Begin(qint64 rank) {
    m_batch.append(reinterpret_cast<const char*>(&rank), sizeof rank);
    m_sizeAt = m_batch.size();
    const qint32 size = 0;
    m_batch.append(reinterpret_cast<const char*>(&size), sizeof size);
}

void FormatWorker::BatchWriter::End() {
    const qint32 size = qint32(m_batch.size() - m_sizeAt - qsizetype(sizeof(qint32)));
    std::memcpy(m_batch.data() + m_sizeAt, &size, sizeof size);
}

QByteArray FormatWorker::BatchWriter::Take() {
    QByteArray batch = std::move(m_batch);
    m_batch = QByteArray();
    return batch;
}

FormatWorker::FormatWorker(Format format, RankedSorter& sorter)
    : m_format(std::move(format)), m_sorter(sorter) {
    for (unsigned i = WorkerCount(); i > 0; --i)
        m_threads.emplace_back([this] { Run(); });
}

FormatWorker::~FormatWorker() {
    Stop();
}

void FormatWorker::Push(QByteArray batch) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_room.wait(lock, [&] { return m_queue.size() < kMaxQueued || m_stopped; });
    if (m_error)
        std::rethrow_exception(m_error);
    if (m_stopped || batch.isEmpty())
        return;
    m_queue.push_back(std::move(batch));
    m_queued.notify_one();
}

void FormatWorker::Finish() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
        m_queued.notify_all();
    }
    for (std::thread& thread : m_threads)
        if (thread.joinable())
            thread.join();
    if (m_error)
        std::rethrow_exception(m_error);
}

void FormatWorker::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopped = true;
        m_queued.notify_all();
        m_room.notify_all();
    }
    for (std::thread& thread : m_threads)
        if (thread.joinable())
            thread.join();
}

void FormatWorker::Run() {
    for (;;) {
        QByteArray batch;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_queued.wait(lock, [&] { return !m_queue.empty() || m_done || m_stopped; });
            if (m_stopped || m_queue.empty())
                return;
            batch = std::move(m_queue.front());
            m_queue.pop_front();
            m_room.notify_one();
        }
        try {
            FormatBatch(batch);
        } catch (...) {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_error)
                m_error = std::current_exception();
            m_stopped = true;
            m_queued.notify_all();
            m_room.notify_all();
            return;
        }
    }
}

void FormatWorker::FormatBatch(const QByteArray& batch) {
    // The batch is formatted without the lock; the sorter takes the results in one go.
    std::vector<std::pair<qint64, QByteArray>> formatted;
    const char* at = batch.constData();
    const char* const end = at + batch.size();
    while (at < end) {
        const qint64 rank = Take<qint64>(at);
        const qint32 size = Take<qint32>(at);
        formatted.emplace_back(rank, m_format(QByteArrayView(at, size)));
        at += size;
    }
    std::lock_guard<std::mutex> lock(m_sorterMutex);
    for (const auto& [rank, bytes] : formatted)
        m_sorter.Add(rank, bytes);
}
