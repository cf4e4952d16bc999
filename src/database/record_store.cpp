#include "database/record_store.h"

#include "app/messages.h"
#include "database/change_watch.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/open_database.h"
#include "database/record_cursor.h"
#include "database/statement.h"
#include "database/statement_cache.h"
#include "database/stored_date.h"

#include <QDate>
#include <QStringList>

namespace {

QString Quoted(const QString& name) {
    return '"' + name + '"';
}

} // namespace

RecordStore::RecordStore(std::unique_ptr<Connection> connection, const QString& table)
    : m_connection(std::move(connection)),
      m_statements(std::make_unique<StatementCache>(*m_connection)),
      m_watch(std::make_unique<ChangeWatch>(*m_connection)), m_table(table) {}

RecordStore::~RecordStore() = default;

std::unique_ptr<Connection> RecordStore::OpenOrStop(int fatalNumber, const QString& message) {
    std::unique_ptr<Connection> connection = OpenCurrentDatabase();
    if (!connection)
        ShowFatalError(fatalNumber, message);
    return connection;
}

void RecordStore::ShowEngineError(const EngineError& error) {
    InfoBox(error.Text());
}

bool RecordStore::GuardMove(const std::function<bool()>& move) {
    try {
        return move();
    } catch (const EngineError& error) {
        // The engine could not read the file (locked by another program, damaged).
        ShowEngineError(error);
        return false;
    }
}

std::unique_ptr<BatchScope> RecordStore::BeginBatch(int rows) {
    return std::make_unique<BatchScope>(*m_connection, m_batch, rows);
}

void RecordStore::UseLargeCache() {
    m_connection->Execute("PRAGMA cache_size = -49152"); // 48 MB
}

void RecordStore::SetBookmark(qint64 id) {
    m_bookmark = id != 0 ? QString::number(id) : QString();
}

QVariant RecordStore::ReadColumn(const QString& column) const {
    if (!HasCurrent()) {
        ReportNoCurrentRecord();
        return QVariant();
    }
    try {
        if (!LoadCurrentRow()) {
            ReportNoCurrentRecord();
            return QVariant();
        }
    } catch (const EngineError& error) {
        ShowEngineError(error);
        return QVariant();
    }
    const int index = m_columns.value(column.toLower(), -1);
    return index >= 0 ? m_row.values[size_t(index)] : QVariant();
}

bool RecordStore::LoadCurrentRow() const {
    const ChangeWatch::Token now = m_watch->Now();
    if (m_row.id == BookmarkId() && m_row.token == now)
        return true;
    m_row = CurrentRow();
    CachedStatement read =
        m_statements->Use(QStringLiteral("SELECT * FROM %1 WHERE ID = ?").arg(Quoted(m_table)));
    read->Bind(1, BookmarkId());
    if (!read->Step())
        return false;
    if (m_columns.isEmpty())
        for (int i = 0; i < read->ColumnCount(); ++i)
            m_columns.insert(read->ColumnName(i).toLower(), i);
    m_row.values.reserve(size_t(read->ColumnCount()));
    for (int i = 0; i < read->ColumnCount(); ++i)
        m_row.values.push_back(read->Value(i));
    m_row.id = BookmarkId();
    m_row.token = now;
    return true;
}

QString RecordStore::ReadText(const QString& column) const {
    return ReadColumn(column).toString();
}

qint64 RecordStore::ReadNumber(const QString& column) const {
    return ReadColumn(column).toLongLong();
}

double RecordStore::ReadReal(const QString& column) const {
    return ReadColumn(column).toDouble();
}

QDate RecordStore::ReadDate(const QString& column) const {
    return DateFromStored(ReadColumn(column));
}

bool RecordStore::WriteColumn(const QString& column, const QVariant& value) {
    if (!HasCurrent()) {
        ReportNoCurrentRecord();
        return false;
    }
    try {
        if (!UpdateRow(BookmarkId(), {{column, value}})) {
            ReportNoCurrentRecord();
            return false;
        }
        return true;
    } catch (const EngineError& error) {
        ShowEngineError(error);
        return false;
    }
}

qint64 RecordStore::InsertRow(const ColumnValues& values) {
    bool sameColumns = int(values.size()) == m_insertColumns.size();
    for (int i = 0; sameColumns && i < m_insertColumns.size(); ++i)
        sameColumns = values[std::size_t(i)].first == m_insertColumns[i];
    if (!sameColumns) {
        m_insertColumns.clear();
        QStringList names;
        QStringList marks;
        for (const auto& value : values) {
            m_insertColumns << value.first;
            names << Quoted(value.first);
            marks << QStringLiteral("?");
        }
        m_insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(Quoted(m_table), names.join(", "), marks.join(", "));
    }
    CachedStatement insert = m_statements->Use(m_insertSql);
    int position = 0;
    for (const auto& value : values)
        insert->Bind(++position, value.second);
    insert->Run();
    const qint64 id = m_connection->LastInsertId();
    RowWritten();
    return id;
}

bool RecordStore::UpdateRow(qint64 id, const ColumnValues& values) {
    QStringList assignments;
    for (const auto& value : values)
        assignments << Quoted(value.first) + " = ?";
    CachedStatement update = m_statements->Use(QStringLiteral("UPDATE %1 SET %2 WHERE ID = ?")
                                                   .arg(Quoted(m_table), assignments.join(", ")));
    int position = 0;
    for (const auto& value : values)
        update->Bind(++position, value.second);
    update->Bind(++position, id);
    update->Run();
    if (m_connection->Changes() == 0)
        return false;
    RowWritten();
    return true;
}

void RecordStore::DeleteRow(qint64 id) {
    CachedStatement remove =
        m_statements->Use(QStringLiteral("DELETE FROM %1 WHERE ID = ?").arg(Quoted(m_table)));
    remove->Bind(1, id);
    remove->Run();
    RowWritten();
}

void RecordStore::RowWritten() {
    if (m_batch)
        m_batch->RowWritten();
}

void RecordStore::SyncCursor(RecordCursor& cursor) const {
    if (HasCurrent())
        cursor.MoveTo(BookmarkId());
}

bool RecordStore::StepFirst(RecordCursor& cursor) {
    return GuardMove([&] {
        if (!cursor.MoveFirst()) {
            ClearBookmark();
            ReportNoRecords();
            return false;
        }
        SetBookmark(cursor.Current());
        return true;
    });
}

bool RecordStore::StepLast(RecordCursor& cursor) {
    return GuardMove([&] {
        if (!cursor.MoveLast()) {
            ClearBookmark();
            ReportNoRecords();
            return false;
        }
        SetBookmark(cursor.Current());
        return true;
    });
}

bool RecordStore::StepNext(RecordCursor& cursor) {
    return GuardMove([&] {
        SyncCursor(cursor);
        if (cursor.MoveNext()) {
            SetBookmark(cursor.Current());
            return true;
        }
        // Off the end: stand on the last row.
        StepLast(cursor);
        return false;
    });
}

bool RecordStore::StepPrevious(RecordCursor& cursor) {
    return GuardMove([&] {
        SyncCursor(cursor);
        if (cursor.MovePrevious()) {
            SetBookmark(cursor.Current());
            return true;
        }
        // Off the start: stand on the first row.
        StepFirst(cursor);
        return false;
    });
}

bool RecordStore::DeleteCurrentAndMove(RecordCursor& cursor) {
    if (!HasCurrent())
        return false;
    const qint64 id = BookmarkId();
    cursor.MoveTo(id);
    try {
        DeleteRow(id);
    } catch (const EngineError& error) {
        ShowEngineError(error);
        return false;
    }
    cursor.Removed(id);
    if (cursor.MoveNext() || cursor.MoveLast())
        SetBookmark(cursor.Current());
    else
        ClearBookmark();
    return true;
}
