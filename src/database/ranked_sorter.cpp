#include "database/ranked_sorter.h"

#include "database/engine_error.h"

#include <QDir>
#include <algorithm>
#include <cstring>
#include <queue>

namespace {

constexpr qsizetype kHeaderSize = sizeof(qint64) + sizeof(qint32);
constexpr qsizetype kReadChunk = 256 * 1024;

[[noreturn]] void ThrowTemporaryFileError(const QFileDevice& file) {
    throw EngineError(JetError::DiskFull,
                      QStringLiteral("The temporary file %1 used for sorting couldn't be "
                                     "written or read: %2")
                          .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

} // namespace

// Reads one run of the temporary file back, item by item, through a buffer of its own.
class RankedSorter::RunReader {
public:
    RunReader(QFile& file, const Run& run) : m_file(file), m_next(run.start), m_end(run.end) {}

    // Reads the next item; false at the end of the run.
    bool Next() {
        if (!Fill(kHeaderSize))
            return false;
        qint32 size = 0;
        std::memcpy(&m_rank, m_buffer.data() + m_at, sizeof m_rank);
        std::memcpy(&size, m_buffer.data() + m_at + sizeof m_rank, sizeof size);
        m_at += kHeaderSize;
        if (!Fill(size))
            ThrowTemporaryFileError(m_file);
        m_bytes = QByteArrayView(m_buffer.data() + m_at, size);
        m_at += size;
        return true;
    }
    qint64 Rank() const { return m_rank; }
    QByteArrayView Bytes() const { return m_bytes; }

private:
    // Makes at least count unread bytes stand in the buffer; false when the run has fewer.
    bool Fill(qsizetype count) {
        if (qsizetype(m_buffer.size()) - m_at >= count)
            return true;
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + m_at);
        m_at = 0;
        const qint64 wanted = std::min<qint64>(std::max(count, kReadChunk), m_end - m_next);
        if (qsizetype(m_buffer.size()) + wanted < count)
            return false;
        const qsizetype had = qsizetype(m_buffer.size());
        m_buffer.resize(size_t(had + wanted));
        if (!m_file.seek(m_next) || m_file.read(m_buffer.data() + had, wanted) != wanted)
            ThrowTemporaryFileError(m_file);
        m_next += wanted;
        return true;
    }

    QFile& m_file;
    qint64 m_next;
    qint64 m_end;
    std::vector<char> m_buffer;
    qsizetype m_at = 0;
    qint64 m_rank = 0;
    QByteArrayView m_bytes;
};

RankedSorter::RankedSorter(qsizetype memoryLimit) : m_memoryLimit(memoryLimit) {}

RankedSorter::~RankedSorter() = default;

void RankedSorter::Add(qint64 rank, QByteArrayView bytes) {
    m_entries.push_back({rank, m_arena.size(), bytes.size()});
    m_arena.append(bytes.data(), bytes.size());
    ++m_count;
    if (m_arena.size() >= m_memoryLimit)
        SpillRun();
}

void RankedSorter::SortEntries() {
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const Entry& a, const Entry& b) { return a.rank < b.rank; });
}

void RankedSorter::SpillRun() {
    if (m_entries.empty())
        return;
    if (!m_file) {
        m_file = std::make_unique<QTemporaryFile>(QDir::temp().filePath("lettrino-sort-XXXXXX"));
        if (!m_file->open())
            ThrowTemporaryFileError(*m_file);
    }
    SortEntries();
    const qint64 start = m_file->size();
    if (!m_file->seek(start))
        ThrowTemporaryFileError(*m_file);
    QByteArray out;
    out.reserve(kReadChunk * 4);
    for (const Entry& entry : m_entries) {
        const qint32 size = qint32(entry.size);
        out.append(reinterpret_cast<const char*>(&entry.rank), sizeof entry.rank);
        out.append(reinterpret_cast<const char*>(&size), sizeof size);
        out.append(m_arena.constData() + entry.offset, entry.size);
        if (out.size() >= kReadChunk * 4) {
            if (m_file->write(out) != out.size())
                ThrowTemporaryFileError(*m_file);
            out.truncate(0);
        }
    }
    if (m_file->write(out) != out.size() || !m_file->flush())
        ThrowTemporaryFileError(*m_file);
    m_runs.push_back({start, m_file->size()});
    // The next run reuses the memory.
    m_entries.clear();
    m_arena.truncate(0);
}

void RankedSorter::ForEachInOrder(const std::function<bool(qint64, QByteArrayView)>& visit) {
    if (m_runs.empty()) {
        SortEntries();
        for (const Entry& entry : m_entries)
            if (!visit(entry.rank, QByteArrayView(m_arena.constData() + entry.offset, entry.size)))
                break;
    } else {
        SpillRun();
        MergeRuns(visit);
    }
    m_entries.clear();
    m_arena.clear();
}

void RankedSorter::MergeRuns(const std::function<bool(qint64, QByteArrayView)>& visit) {
    std::vector<std::unique_ptr<RunReader>> readers;
    // The heap holds (rank, run) of each run's next item; equal ranks come out in run order,
    // which is the order they were added.
    using Head = std::pair<qint64, size_t>;
    std::priority_queue<Head, std::vector<Head>, std::greater<Head>> heads;
    for (const Run& run : m_runs) {
        readers.push_back(std::make_unique<RunReader>(*m_file, run));
        if (readers.back()->Next())
            heads.push({readers.back()->Rank(), readers.size() - 1});
    }
    while (!heads.empty()) {
        const size_t run = heads.top().second;
        heads.pop();
        RunReader& reader = *readers[run];
        if (!visit(reader.Rank(), reader.Bytes()))
            return;
        if (reader.Next())
            heads.push({reader.Rank(), run});
    }
}
