#include "database/selected_records.h"

#include "app/settings.h"
#include "database/connection.h"
#include "database/format_worker.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "database/ranked_sorter.h"
#include "database/statement.h"
#include "database/stored_date.h"

#include <QLatin1String>
#include <algorithm>
#include <cstring>
#include <numeric>
#include <optional>

namespace {

// Sets this small, or this small a share of the list, are read by looking their records up
// by ID; larger ones by one scan of the table, put back in the set's order by a sorter.
constexpr size_t kLookupLimit = 50000;
constexpr qint64 kLookupShare = 8;
// Records looked up at a time, in ID order, which reads the file front to back.
constexpr size_t kLookupChunk = 4096;
// Rows between two reports of progress.
constexpr qint64 kProgressRows = 4096;
// The packed records handed to the workers at a time.
constexpr qsizetype kBatchBytes = 256 * 1024;

using TextField = QString ListRecord::*;
constexpr int kTextCount = 12;
constexpr TextField kTextFields[kTextCount] = {
    &ListRecord::Name, &ListRecord::Address, &ListRecord::City,     &ListRecord::State,
    &ListRecord::Zip,  &ListRecord::EMail,   &ListRecord::Phone,    &ListRecord::Attention,
    &ListRecord::Code, &ListRecord::CarRt,   &ListRecord::Switches, &ListRecord::Notes};
const char* const kTextColumns[kTextCount] = {"Name", "Address", "City",     "State",
                                              "Zip",  "EMail",   "Phone",    "Attention",
                                              "Code", "CarRt",   "Switches", "Notes"};

template <typename T> void Append(QByteArray& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T> T Take(const char*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

// The positions of the record's columns in the rows of a statement (-1 where it has none),
// and the record read from a row, at once or packed into bytes and unpacked elsewhere.
class RowColumns {
public:
    explicit RowColumns(const Statement& rows) {
        for (int c = 0; c < kTextCount; ++c)
            m_text[c] = Find(rows, kTextColumns[c]);
        m_lastEdit = Find(rows, "LastEdit");
    }

    ListRecord Record(const Statement& rows) const {
        ListRecord record;
        for (int c = 0; c < kTextCount; ++c)
            if (m_text[c] >= 0)
                record.*kTextFields[c] = rows.Text(m_text[c]);
        if (m_lastEdit >= 0)
            record.LastEdit = DateFromStored(rows.Value(m_lastEdit));
        return record;
    }

    // Appends the row's texts to out, each as its length (-1 for NULL) and its UTF-8 bytes,
    // the date last; only copies, so that the reading thread stays light.
    void Pack(const Statement& rows, QByteArray& out) const {
        for (int c = 0; c <= kTextCount; ++c) {
            const int at = c < kTextCount ? m_text[c] : m_lastEdit;
            if (at < 0 || rows.IsNull(at)) {
                Append<qint32>(out, -1);
                continue;
            }
            const QByteArrayView text = rows.Utf8(at);
            Append<qint32>(out, qint32(text.size()));
            out.append(text.data(), text.size());
        }
    }

    static ListRecord Unpack(QByteArrayView packed) {
        ListRecord record;
        const char* at = packed.data();
        for (int c = 0; c <= kTextCount; ++c) {
            const qint32 size = Take<qint32>(at);
            if (size < 0)
                continue;
            const QString text = QString::fromUtf8(at, size);
            at += size;
            if (c < kTextCount)
                record.*kTextFields[c] = text;
            else
                record.LastEdit = DateFromStored(text);
        }
        return record;
    }

private:
    static int Find(const Statement& rows, const char* name) {
        for (int i = 0; i < rows.ColumnCount(); ++i)
            if (rows.ColumnName(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }

    int m_text[kTextCount];
    int m_lastEdit;
};

// The IDs of the records the store has selected, in the set's order: the rows of its query,
// or the whole list in name order.
std::vector<qint64> SelectedIds(const ListCore& list, Connection& db) {
    if (const std::vector<qint64>* ids = list.QueryIds())
        return *ids;
    std::vector<qint64> ids;
    Statement rows = db.Prepare(QStringLiteral("SELECT [ID] FROM [List] ORDER BY [Name], [ID]"));
    while (rows.Step())
        ids.push_back(rows.Number(0));
    return ids;
}

bool Wanted(const SelectedPass& pass, qint64 place) {
    return !pass.wanted || pass.wanted(place);
}

bool Progress(const SelectedPass& pass, double done) {
    return !pass.progress || pass.progress(done);
}

qint64 PassByLookup(Connection& db, const std::vector<qint64>& ids, const SelectedPass& pass) {
    Statement row = db.Prepare(QStringLiteral("SELECT * FROM [List] WHERE [ID] = ?"));
    const RowColumns columns(row);
    qint64 taken = 0;
    std::vector<size_t> byId;
    std::vector<std::optional<ListRecord>> records;
    for (size_t start = 0; start < ids.size(); start += kLookupChunk) {
        const size_t count = std::min(kLookupChunk, ids.size() - start);
        byId.clear();
        for (size_t i = 0; i < count; ++i)
            if (Wanted(pass, qint64(start + i)))
                byId.push_back(i);
        std::sort(byId.begin(), byId.end(),
                  [&](size_t a, size_t b) { return ids[start + a] < ids[start + b]; });
        records.assign(count, std::nullopt);
        for (size_t i : byId) {
            row.Reset();
            row.Bind(1, ids[start + i]);
            // A record deleted since the set was made is passed over.
            if (row.Step())
                records[i] = columns.Record(row);
        }
        row.Reset();
        for (size_t i = 0; i < count; ++i) {
            if (!records[i])
                continue;
            ++taken;
            if (!pass.take(qint64(start + i), pass.format(*records[i])))
                return taken;
        }
        if (!Progress(pass, double(start + count) / double(ids.size())))
            break;
    }
    return taken;
}

// Reads the table front to back, hands the wanted records to workers that format them
// into the sorter, then takes them out of the sorter in the set's order. Reading counts as
// the first half of the pass.
qint64 PassByScan(Connection& db, std::vector<qint64> ids, const SelectedPass& pass) {
    // (ID, place in the set), in ID order, to meet the table's rows as the scan reaches them.
    std::vector<std::pair<qint64, qint64>> places;
    places.reserve(ids.size());
    for (size_t i = 0; i < ids.size(); ++i)
        if (Wanted(pass, qint64(i)))
            places.emplace_back(ids[i], qint64(i));
    std::vector<qint64>().swap(ids);
    std::sort(places.begin(), places.end());

    RankedSorter sorter;
    {
        FormatWorker worker(
            [&pass](QByteArrayView packed) { return pass.format(RowColumns::Unpack(packed)); },
            sorter);
        Statement rows = db.Prepare(QStringLiteral("SELECT [ID], * FROM [List] ORDER BY [ID]"));
        const RowColumns columns(rows);
        FormatWorker::BatchWriter batch;
        size_t next = 0;
        qint64 scanned = 0;
        while (next < places.size() && rows.Step()) {
            const qint64 id = rows.Number(0);
            while (next < places.size() && places[next].first < id)
                ++next;
            for (; next < places.size() && places[next].first == id; ++next) {
                batch.Begin(places[next].second);
                columns.Pack(rows, batch.Bytes());
                batch.End();
            }
            if (batch.Size() >= kBatchBytes)
                worker.Push(batch.Take());
            if (++scanned % kProgressRows == 0 &&
                !Progress(pass, 0.5 * double(next) / double(places.size())))
                return 0;
        }
        worker.Push(batch.Take());
        worker.Finish();
    }
    std::vector<std::pair<qint64, qint64>>().swap(places);

    qint64 taken = 0;
    const double total = double(std::max<qint64>(sorter.Count(), 1));
    sorter.ForEachInOrder([&](qint64 place, QByteArrayView bytes) {
        ++taken;
        if (!pass.take(place, bytes))
            return false;
        return taken % kProgressRows != 0 || Progress(pass, 0.5 + 0.5 * double(taken) / total);
    });
    return taken;
}

} // namespace

qint64 RunSelectedPass(const ListCore& list, const SelectedPass& pass, SelectedRead method) {
    auto db = Connection::Open(CurrentListSetting(), Connection::Mode::ReadOnly);
    std::vector<qint64> ids = SelectedIds(list, *db);
    if (method == SelectedRead::Automatic) {
        const bool small = ids.size() <= kLookupLimit ||
                           qint64(ids.size()) * kLookupShare <
                               db->QueryNumber(QStringLiteral("SELECT count(*) FROM [List]"));
        method = small ? SelectedRead::ByLookup : SelectedRead::ByScan;
    }
    if (method == SelectedRead::ByLookup)
        return PassByLookup(*db, ids, pass);
    return PassByScan(*db, std::move(ids), pass);
}
