#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QTemporaryFile>
#include <functional>
#include <memory>
#include <vector>

// Puts items that arrive in any order back into the order of their ranks, in a bounded
// amount of memory: items are kept in memory up to a limit, then sorted and written as a run
// to a temporary file; the runs are merged when the items are read back. Each item is a
// rank and the bytes its owner made of it. Throws EngineError when the temporary file can't
// be written or read (a full disk).
class RankedSorter {
public:
    explicit RankedSorter(qsizetype memoryLimit = 24 * 1024 * 1024);
    ~RankedSorter();
    RankedSorter(const RankedSorter&) = delete;
    RankedSorter& operator=(const RankedSorter&) = delete;

    void Add(qint64 rank, QByteArrayView bytes);
    qint64 Count() const { return m_count; }

    // Gives every item in rank order (equal ranks in the order they came); visit returns
    // false to stop. Call once, after the last Add.
    void ForEachInOrder(const std::function<bool(qint64 rank, QByteArrayView bytes)>& visit);

private:
    struct Entry {
        qint64 rank;
        qsizetype offset;
        qsizetype size;
    };
    struct Run {
        qint64 start;
        qint64 end;
    };
    class RunReader;

    void SortEntries();
    void SpillRun();
    void MergeRuns(const std::function<bool(qint64, QByteArrayView)>& visit);

    qsizetype m_memoryLimit;
    QByteArray m_arena;
    std::vector<Entry> m_entries;
    std::unique_ptr<QTemporaryFile> m_file;
    std::vector<Run> m_runs;
    qint64 m_count = 0;
};
