#pragma once

#include "database/batch_scope.h"
#include "database/change_watch.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class Connection;
class EngineError;
class QDate;
class RecordCursor;
class StatementCache;

// What every record store shares: its own connection to the current list, the current row
// held as a bookmark (the row's ID as a string; empty = no current row), reading and
// writing the current row's columns by ID, adding, rewriting and deleting rows, the moves
// with their end-of-set behaviour, and the batch scope for bulk work.
class RecordStore {
public:
    virtual ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    const QString& CurrentBookmark() const { return m_bookmark; }
    // Opens a batch for bulk work through this store (see BatchScope); the scope must end
    // before the store does.
    std::unique_ptr<BatchScope> BeginBatch(int rows = BatchScope::kDefaultRows);
    // Lets the engine keep more of the file in memory for the rest of the store's life, so
    // that adding many rows to the table and its index writes each page less often.
    void UseLargeCache();

    virtual void ReportNoRecords() const = 0;
    virtual void ReportNoCurrentRecord() const = 0;

protected:
    using ColumnValues = std::vector<std::pair<QString, QVariant>>;

    RecordStore(std::unique_ptr<Connection> connection, const QString& table);
    // Opens the current list; when it cannot be opened the program stops with the fatal
    // error number and message of the store.
    static std::unique_ptr<Connection> OpenOrStop(int fatalNumber, const QString& message);
    // Shows an engine error as number, blank, description.
    static void ShowEngineError(const EngineError& error);

    Connection& Db() const { return *m_connection; }
    StatementCache& Statements() const { return *m_statements; }
    const ChangeWatch& Watch() const { return *m_watch; }
    const QString& Table() const { return m_table; }

    bool HasCurrent() const { return !m_bookmark.isEmpty(); }
    qint64 BookmarkId() const { return m_bookmark.toLongLong(); }
    void SetBookmark(qint64 id);
    void ClearBookmark() { m_bookmark.clear(); }

    // A column of the current row. Without a current row (or when the row has been deleted
    // meanwhile): ReportNoCurrentRecord and an empty value.
    QVariant ReadColumn(const QString& column) const;
    QString ReadText(const QString& column) const;
    qint64 ReadNumber(const QString& column) const;
    double ReadReal(const QString& column) const;
    QDate ReadDate(const QString& column) const;
    // Writes one column of the current row at once. Without a current row:
    // ReportNoCurrentRecord; an engine error is shown. True when the value was stored.
    bool WriteColumn(const QString& column, const QVariant& value);

    // Row work for the stores' own members; engine errors are thrown.
    qint64 InsertRow(const ColumnValues& values);
    // False when the row no longer exists.
    bool UpdateRow(qint64 id, const ColumnValues& values);
    void DeleteRow(qint64 id);
    // Counts a row written into the open batch, if any.
    void RowWritten();

    // The moves of every store: an empty set gives ReportNoRecords, no current row and
    // false; a move off either end stands on the last (first) row and gives false.
    bool StepFirst(RecordCursor& cursor);
    bool StepLast(RecordCursor& cursor);
    bool StepNext(RecordCursor& cursor);
    bool StepPrevious(RecordCursor& cursor);
    // Deletes the current row and stands on the next one, or on the last when it was the
    // last; with no row left there is no current row. False without a current row or when
    // the engine refuses (the error is shown).
    bool DeleteCurrentAndMove(RecordCursor& cursor);
    // Runs a move or search; an engine error is shown and gives false.
    static bool GuardMove(const std::function<bool()>& move);
    // Puts the cursor on the current row, when there is one.
    void SyncCursor(RecordCursor& cursor) const;

private:
    // The current row's columns as last read, kept while the file is unchanged.
    struct CurrentRow {
        qint64 id = 0;
        ChangeWatch::Token token;
        std::vector<QVariant> values;
    };

    // Reads the current row unless it is at hand; false when it no longer exists.
    bool LoadCurrentRow() const;

    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<StatementCache> m_statements;
    std::unique_ptr<ChangeWatch> m_watch;
    QString m_table;
    QString m_bookmark;
    BatchScope* m_batch = nullptr;
    mutable CurrentRow m_row;
    // The INSERT statement of the last column list, kept for adding many rows.
    QStringList m_insertColumns;
    QString m_insertSql;
    // Column positions of the table's rows, by lower-case name.
    mutable QHash<QString, int> m_columns;
};
