#pragma once

#include <QByteArray>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

class RankedSorter;
struct ListRecord;

// Formats records on a thread of its own into a sorter, while the caller goes on reading
// the next ones. The caller hands records over in batches, each record with its rank; a
// failure on the worker's side (a full disk under the sorter, say) is thrown to the caller
// by the next Push or by Finish. Destroying the worker before Finish abandons the work.
class FormatWorker {
public:
    using Batch = std::vector<std::pair<qint64, ListRecord>>;
    using Format = std::function<QByteArray(const ListRecord&)>;

    FormatWorker(Format format, RankedSorter& sorter);
    ~FormatWorker();
    FormatWorker(const FormatWorker&) = delete;
    FormatWorker& operator=(const FormatWorker&) = delete;

    // Queues the batch (waiting while the queue is full) and leaves batch empty.
    void Push(Batch&& batch);
    // Waits until every queued record has been formatted.
    void Finish();

private:
    void Run();
    void Stop();

    Format m_format;
    RankedSorter& m_sorter;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_room;
    std::deque<Batch> m_queue;
    bool m_done = false;
    bool m_stopped = false;
    std::exception_ptr m_error;
    std::thread m_thread;
};
