#include "database/format_worker.h"

#include "database/list_record.h"
#include "database/ranked_sorter.h"

namespace {
// Batches waiting at most: enough to keep the worker busy, few enough to bound memory.
constexpr size_t kMaxQueued = 4;
} // namespace

FormatWorker::FormatWorker(Format format, RankedSorter& sorter)
    : m_format(std::move(format)), m_sorter(sorter), m_thread([this] { Run(); }) {}

FormatWorker::~FormatWorker() {
    Stop();
}

void FormatWorker::Push(Batch&& batch) {
    Batch taken = std::move(batch);
    batch.clear();
    std::unique_lock<std::mutex> lock(m_mutex);
    m_room.wait(lock, [&] { return m_queue.size() < kMaxQueued || m_stopped; });
    if (m_error)
        std::rethrow_exception(m_error);
    if (m_stopped || taken.empty())
        return;
    m_queue.push_back(std::move(taken));
    m_queued.notify_one();
}

void FormatWorker::Finish() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
        m_queued.notify_one();
    }
    if (m_thread.joinable())
        m_thread.join();
    if (m_error)
        std::rethrow_exception(m_error);
}

void FormatWorker::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopped = true;
        m_queued.notify_one();
        m_room.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
}

void FormatWorker::Run() {
    for (;;) {
        Batch batch;
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
            for (const auto& [rank, record] : batch)
                m_sorter.Add(rank, m_format(record));
        } catch (...) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_error = std::current_exception();
            m_stopped = true;
            m_room.notify_all();
            return;
        }
    }
}
