#pragma once

#include "database/change_watch.h"
#include "database/record_cursor.h"

#include <QString>
#include <QVariant>
#include <unordered_set>
#include <vector>

class StatementCache;

// The rows of a query, as a keyset: running the statement collects the IDs of its rows in
// the statement's order; a row's columns are read by ID when they are asked for. Rows
// deleted meanwhile are passed over by the moves (which look at the rows themselves only
// once the file has changed since the statement ran).
class KeysetCursor : public RecordCursor {
public:
    // Runs the statement (Jet SQL over the table, with a column named ID). Throws
    // EngineError when the engine refuses it, when it would change the file, or when it
    // gives no ID column.
    KeysetCursor(StatementCache& statements, const ChangeWatch& watch, const QString& table,
                 const QString& sql);

    // Runs the statement again; the cursor loses its position.
    void Requery();
    // Empties the set (every row of it has been deleted).
    void Clear();
    const QString& Sql() const { return m_sql; }
    const std::vector<qint64>& Ids() const { return m_ids; }

    // Stands on the first row of the set, in the set's order, whose column equals the value
    // (exact) or is at least the value; text compares without case. The value is bound,
    // never pasted into the statement. False, with the position unchanged, when there is
    // none.
    bool FindFirst(const QString& column, const QVariant& value, bool exact);

    qint64 Count() override { return qint64(m_ids.size()); }
    bool MoveFirst() override;
    bool MoveLast() override;
    bool MoveNext() override;
    bool MovePrevious() override;
    bool MoveTo(qint64 id) override;
    qint64 Current() const override;
    void Removed(qint64 id) override;

private:
    // Takes the IDs of a run of the statement; the cursor loses its position.
    void Reset(std::vector<qint64> ids, const ChangeWatch::Token& token);
    // Whether the row at the index is still there. While the file is as it was when the
    // statement ran, every row is; after a change the rows are looked at a chunk at a time
    // in the direction of travel.
    bool IsLiving(qint64 index, int direction);
    void CheckChunk(qint64 index, int direction, const ChangeWatch::Token& token);
    // The first index from start on (stepping by direction) whose row still exists; -1 for
    // none.
    qint64 NextLiving(qint64 start, int direction);
    qint64 FindFrom(qint64 start, const QString& column, const QVariant& value, bool exact);

    StatementCache& m_statements;
    const ChangeWatch& m_watch;
    // The file as it was when the statement ran.
    ChangeWatch::Token m_token;
    QString m_table;
    QString m_sql;
    std::vector<qint64> m_ids;
    // The last chunk looked at: indexes [m_checkedLow, m_checkedHigh) of m_ids, of which the
    // rows in m_living were there while the file was as at m_checkedToken.
    qint64 m_checkedLow = 0;
    qint64 m_checkedHigh = 0;
    ChangeWatch::Token m_checkedToken;
    std::unordered_set<qint64> m_living;
    // Index into m_ids of the current row; -1 before the first. After a removal the cursor
    // stands between rows (m_between), and the next move forward reaches index m_pos + 1.
    qint64 m_pos = -1;
    bool m_between = false;
};
