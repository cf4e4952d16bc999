#include "database/jet_file.h"

#include "database/engine_error.h"

#include <QDate>
#include <QFile>
#include <QTime>
#include <cmath>
#include <vector>

// libmdb's header needs glib's types first.
#include <glib.h>
#include <mdbtools.h>

namespace {

// Memo values can be long; the library cuts a bound value at the bind size.
constexpr size_t kBindSize = 1 << 20;

struct TableDefDeleter {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableDefDeleter>;

TablePtr ReadTable(MdbHandle* mdb, const QString& name) {
    QByteArray utf8 = name.toUtf8();
    TablePtr table(mdb_read_table_by_name(mdb, utf8.data(), MDB_TABLE));
    if (table && !mdb_read_columns(table.get()))
        return nullptr;
    return table;
}

} // namespace

struct JetFile::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle() {
        if (mdb)
            mdb_close(mdb);
    }
};

JetFile::JetFile(std::unique_ptr<Handle> handle) : m_handle(std::move(handle)) {}
JetFile::~JetFile() = default;

std::unique_ptr<JetFile> JetFile::Open(const QString& path) {
    auto handle = std::make_unique<Handle>();
    handle->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!handle->mdb || !mdb_read_catalog(handle->mdb, MDB_TABLE))
        return nullptr;
    mdb_set_bind_size(handle->mdb, kBindSize);
    return std::unique_ptr<JetFile>(new JetFile(std::move(handle)));
}

QStringList JetFile::Columns(const QString& table) {
    QStringList columns;
    TablePtr def = ReadTable(m_handle->mdb, table);
    if (!def)
        return columns;
    for (unsigned i = 0; i < def->num_cols; ++i) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
        columns << QString::fromUtf8(column->name);
    }
    return columns;
}

QString JetFile::DateText(double days) {
    const double whole = std::trunc(days);
    qint64 seconds = std::llround(std::fabs(days - whole) * 86400.0);
    QDate date = QDate(1899, 12, 30).addDays(qint64(whole));
    if (seconds >= 86400) {
        date = date.addDays(1);
        seconds -= 86400;
    }
    if (seconds == 0)
        return date.toString(Qt::ISODate);
    return date.toString(Qt::ISODate) + " " +
           QTime(0, 0).addSecs(int(seconds)).toString("HH:mm:ss");
}

void JetFile::ReadRows(const QString& table, const QStringList& columns, int limit,
                       const RowHandler& handler) {
    MdbHandle* mdb = m_handle->mdb;
    TablePtr def = ReadTable(mdb, table);
    if (!def)
        throw EngineError(JetError::NotFound, "The table " + table + " can't be read.");

    // Find the wanted columns and bind each to a buffer that receives its text.
    std::vector<MdbColumn*> wanted;
    std::vector<std::vector<char>> buffers(columns.size(), std::vector<char>(kBindSize + 1));
    std::vector<int> lengths(columns.size());
    for (int i = 0; i < columns.size(); ++i) {
        MdbColumn* found = nullptr;
        for (unsigned c = 0; c < def->num_cols && !found; ++c) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, c));
            if (columns[i].compare(QString::fromUtf8(column->name), Qt::CaseInsensitive) == 0) {
                found = column;
                mdb_bind_column(def.get(), int(c) + 1, buffers[i].data(), &lengths[i]);
            }
        }
        if (!found)
            throw EngineError(JetError::NotFound,
                              "The column " + columns[i] + " of " + table + " is missing.");
        wanted.push_back(found);
    }

    mdb_rewind_table(def.get());
    QVariantList values;
    for (int n = 0; (limit < 0 || n < limit) && mdb_fetch_row(def.get()); ++n) {
        values.clear();
        for (size_t i = 0; i < wanted.size(); ++i) {
            const MdbColumn* column = wanted[i];
            const bool present = column->cur_value_len > 0;
            // Numbers and dates are read from their stored bytes: the library's text for
            // them is rounded (Single) or limited to a range of years (dates).
            switch (column->col_type) {
            case MDB_DATETIME:
                values << (present ? QVariant(DateText(
                                         mdb_get_double(mdb->pg_buf, column->cur_value_start)))
                                   : QVariant());
                break;
            case MDB_FLOAT:
                values << (present
                               ? QVariant(QString::number(
                                              mdb_get_single(mdb->pg_buf, column->cur_value_start),
                                              'g', 7)
                                              .toDouble())
                               : QVariant());
                break;
            case MDB_DOUBLE:
                values << (present ? QVariant(mdb_get_double(mdb->pg_buf, column->cur_value_start))
                                   : QVariant());
                break;
            case MDB_BOOL:
            case MDB_BYTE:
            case MDB_INT:
            case MDB_LONGINT:
                values << (present || column->col_type == MDB_BOOL
                               ? QVariant(QString::fromUtf8(buffers[i].data()).toLongLong())
                               : QVariant());
                break;
            default:
                // Text and memo: the library gives UTF-8. It cannot tell an empty text
                // from a missing one; both become an empty text.
                values << QString::fromUtf8(buffers[i].data());
                break;
            }
        }
        handler(values);
    }
}
