#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class RankedSorter;

// Formats items on threads of their own into a sorter, while the caller goes on reading the
// next ones. The caller hands items over in batches (BatchWriter); each item is a rank and
// the bytes the caller packed, which the format turns into the bytes the sorter keeps. A
// failure on the workers' side (a full disk under the sorter, say) is thrown to the caller
// by the next Push or by Finish. Destroying the workers before Finish abandons the work.
class FormatWorker {
public:
    using Format = std::function<QByteArray(QByteArrayView packed)>;

    // Appends items to a batch: the rank, then the item's bytes written by the caller.
    class BatchWriter {
    public:
        // Starts an item; the caller appends its bytes to Bytes(), then calls End().
        void Begin(qint64 rank);
        QByteArray& Bytes() { return m_batch; }
        void End();
        qsizetype Size() const { return m_batch.size(); }
        QByteArray Take();

    private:
        QByteArray m_batch;
        qsizetype m_sizeAt = 0;
    };

    FormatWorker(Format format, RankedSorter& sorter);
    ~FormatWorker();
    FormatWorker(const FormatWorker&) = delete;
    FormatWorker& operator=(const FormatWorker&) = delete;

    // Queues a batch, waiting while the queue is full.
    void Push(QByteArray batch);
    // Waits until every queued item has been formatted.
    void Finish();

private:
    void Run();
    void FormatBatch(const QByteArray& batch);
    void Stop();

    Format m_format;
    RankedSorter& m_sorter;
    std::mutex m_sorterMutex;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_room;
    std::deque<QByteArray> m_queue;
    bool m_done = false;
    bool m_stopped = false;
    std::exception_ptr m_error;
    std::vector<std::thread> m_threads;
};
