#pragma once

#include "database/change_watch.h"
#include "database/record_cursor.h"

#include <QString>
#include <QVariant>
#include <deque>

class StatementCache;

// A live cursor on a table in the order of one of its indexes: the key column, then ID to
// break ties (or ID alone). Moves and seeks are index look-ups from the key of the current
// row, so a move costs the same whatever the size of the table. A look-up fetches a few
// rows ahead in the direction of travel; they serve the following moves only as long as
// the file has not changed (ChangeWatch), so rows added or deleted through any connection
// are seen at the next move.
class TableCursor : public RecordCursor {
public:
    // An empty key column orders by ID.
    TableCursor(StatementCache& statements, const ChangeWatch& watch, const QString& table,
                const QString& keyColumn);

    // Changes the order; the position stays on the same row.
    void SetKeyColumn(const QString& column);
    const QString& KeyColumn() const { return m_key; }

    // Stands on the first row, in the order of the column then ID, whose column equals the
    // value (exact) or is at least the value; text compares without case. False, with the
    // position unchanged, when there is none.
    bool Seek(const QString& column, const QVariant& value, bool exact);
    bool IsEmpty();

    qint64 Count() override;
    bool MoveFirst() override;
    bool MoveLast() override;
    bool MoveNext() override;
    bool MovePrevious() override;
    bool MoveTo(qint64 id) override;
    qint64 Current() const override { return m_id; }
    void Removed(qint64) override { m_ahead.clear(); }

private:
    struct Row {
        qint64 id;
        QVariant key;
    };

    bool ById() const { return m_key.isEmpty(); }
    QString KeyExpression() const;
    // Runs a look-up that returns (ID, key) rows, appending up to limit of them to rows.
    void Fetch(const QString& sql, std::deque<Row>& rows, int limit,
               const QVariant& first = QVariant(), const QVariant& second = QVariant());
    bool LandOn(const QString& sql, const QVariant& first = QVariant());
    void Land(const Row& row, const ChangeWatch::Token& token);
    // The rows after (forward) or before the current one, nearest first.
    void FetchAhead(bool forward, std::deque<Row>& rows);
    bool Step(bool forward);

    StatementCache& m_statements;
    const ChangeWatch& m_watch;
    QString m_table;
    QString m_key;
    qint64 m_id = 0;
    QVariant m_keyValue;
    // When the current row's key was read.
    ChangeWatch::Token m_token;
    // Rows fetched ahead of the current one, in the direction m_aheadForward, valid while
    // the file is as it was at m_aheadToken.
    std::deque<Row> m_ahead;
    bool m_aheadForward = true;
    ChangeWatch::Token m_aheadToken;
};
