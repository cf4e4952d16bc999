#include "database/table_cursor.h"

#include "database/statement.h"
#include "database/statement_cache.h"

namespace {

// Rows fetched per look-up while moving.
constexpr int kAhead = 32;

QString Quoted(const QString& name) {
    return '"' + name + '"';
}

} // namespace

TableCursor::TableCursor(StatementCache& statements, const ChangeWatch& watch, const QString& table,
                         const QString& keyColumn)
    : m_statements(statements), m_watch(watch), m_table(Quoted(table)), m_key(keyColumn) {}

void TableCursor::SetKeyColumn(const QString& column) {
    if (column == m_key)
        return;
    m_key = column;
    m_ahead.clear();
    const qint64 id = m_id;
    m_token = ChangeWatch::Token();
    if (id != 0 && !MoveTo(id))
        m_keyValue = QVariant();
}

QString TableCursor::KeyExpression() const {
    return ById() ? QStringLiteral("ID") : Quoted(m_key);
}

void TableCursor::Fetch(const QString& sql, std::deque<Row>& rows, int limit, const QVariant& first,
                        const QVariant& second) {
    CachedStatement statement = m_statements.Use(sql);
    int position = 0;
    if (first.isValid())
        statement->Bind(++position, first);
    if (second.isValid())
        statement->Bind(++position, second);
    statement->Bind(++position, limit);
    while (statement->Step())
        rows.push_back({statement->Number(0), statement->Value(1)});
}

void TableCursor::Land(const Row& row, const ChangeWatch::Token& token) {
    m_id = row.id;
    m_keyValue = row.key;
    m_token = token;
}

bool TableCursor::LandOn(const QString& sql, const QVariant& first) {
    m_ahead.clear();
    const ChangeWatch::Token token = m_watch.Now();
    std::deque<Row> rows;
    Fetch(sql, rows, 1, first);
    if (rows.empty())
        return false;
    Land(rows.front(), token);
    return true;
}

qint64 TableCursor::Count() {
    CachedStatement statement = m_statements.Use("SELECT count(*) FROM " + m_table);
    return statement->Step() ? statement->Number(0) : 0;
}

bool TableCursor::IsEmpty() {
    CachedStatement statement = m_statements.Use("SELECT 1 FROM " + m_table + " LIMIT 1");
    return !statement->Step();
}

bool TableCursor::MoveFirst() {
    return LandOn(QStringLiteral("SELECT ID, %1 FROM %2 ORDER BY %1, ID LIMIT ?")
                      .arg(KeyExpression(), m_table));
}

bool TableCursor::MoveLast() {
    return LandOn(QStringLiteral("SELECT ID, %1 FROM %2 ORDER BY %1 DESC, ID DESC LIMIT ?")
                      .arg(KeyExpression(), m_table));
}

bool TableCursor::MoveNext() {
    return Step(true);
}

bool TableCursor::MovePrevious() {
    return Step(false);
}

bool TableCursor::Step(bool forward) {
    if (m_id == 0)
        return forward ? MoveFirst() : MoveLast();
    const ChangeWatch::Token token = m_watch.Now();
    if (m_ahead.empty() || m_aheadForward != forward || m_aheadToken != token) {
        m_ahead.clear();
        m_aheadForward = forward;
        m_aheadToken = token;
        FetchAhead(forward, m_ahead);
    }
    if (m_ahead.empty())
        return false;
    Land(m_ahead.front(), token);
    m_ahead.pop_front();
    return true;
}

void TableCursor::FetchAhead(bool forward, std::deque<Row>& rows) {
    const QString select =
        QStringLiteral("SELECT ID, %1 FROM %2 WHERE ").arg(KeyExpression(), m_table);
    if (ById()) {
        Fetch(select + (forward ? "ID > ? ORDER BY ID LIMIT ?" : "ID < ? ORDER BY ID DESC LIMIT ?"),
              rows, kAhead, m_id);
        return;
    }
    const QString key = Quoted(m_key);
    // Rows with no key come first in index order, ordered by ID among themselves. Each
    // look-up stays on the index: the rest of the rows with the current key, then the rows
    // with the following keys.
    if (m_keyValue.isNull()) {
        if (forward) {
            Fetch(select + key + " IS NULL AND ID > ? ORDER BY ID LIMIT ?", rows, kAhead, m_id);
            if (rows.size() < size_t(kAhead))
                Fetch(select + key + " IS NOT NULL ORDER BY " + key + ", ID LIMIT ?", rows,
                      kAhead - int(rows.size()));
        } else {
            Fetch(select + key + " IS NULL AND ID < ? ORDER BY ID DESC LIMIT ?", rows, kAhead,
                  m_id);
        }
        return;
    }
    if (forward) {
        Fetch(select + key + " = ? AND ID > ? ORDER BY ID LIMIT ?", rows, kAhead, m_keyValue, m_id);
        if (rows.size() < size_t(kAhead))
            Fetch(select + key + " > ? ORDER BY " + key + ", ID LIMIT ?", rows,
                  kAhead - int(rows.size()), m_keyValue);
        return;
    }
    Fetch(select + key + " = ? AND ID < ? ORDER BY ID DESC LIMIT ?", rows, kAhead, m_keyValue,
          m_id);
    if (rows.size() < size_t(kAhead))
        Fetch(select + key + " < ? ORDER BY " + key + " DESC, ID DESC LIMIT ?", rows,
              kAhead - int(rows.size()), m_keyValue);
    if (rows.size() < size_t(kAhead))
        Fetch(select + key + " IS NULL ORDER BY ID DESC LIMIT ?", rows, kAhead - int(rows.size()));
}

bool TableCursor::MoveTo(qint64 id) {
    // Standing on the row already, with the file unchanged: the key read then still holds.
    if (id != 0 && id == m_id && m_token == m_watch.Now())
        return true;
    if (LandOn(QStringLiteral("SELECT ID, %1 FROM %2 WHERE ID = ? LIMIT ?")
                   .arg(KeyExpression(), m_table),
               id))
        return true;
    // A row deleted through another connection while the cursor stood on it keeps its
    // place, so that the next move goes on from there.
    return id != 0 && id == m_id;
}

bool TableCursor::Seek(const QString& column, const QVariant& value, bool exact) {
    const QString name = column.compare("ID", Qt::CaseInsensitive) == 0 ? "ID" : Quoted(column);
    const QString sql =
        exact ? QStringLiteral("SELECT ID FROM %1 WHERE %2 = ? ORDER BY ID LIMIT 1")
                    .arg(m_table, name)
              : QStringLiteral("SELECT ID FROM %1 WHERE %2 >= ? ORDER BY %2, ID LIMIT 1")
                    .arg(m_table, name);
    qint64 found = 0;
    {
        CachedStatement statement = m_statements.Use(sql);
        statement->Bind(1, value);
        if (!statement->Step())
            return false;
        found = statement->Number(0);
    }
    m_token = ChangeWatch::Token();
    return MoveTo(found);
}
