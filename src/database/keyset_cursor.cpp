#include "database/keyset_cursor.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/keyset_sort.h"
#include "database/set_query_guard.h"
#include "database/statement.h"
#include "database/statement_cache.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <unordered_set>

namespace {

// Searches first probe the opening rows of the set a chunk at a time, which finds a match
// near the start at once; past them one pass over the table marks every match.
constexpr qint64 kProbeChunk = 512;
constexpr qint64 kProbeRows = 4096;
// Rows looked at together when the file has changed since the statement ran.
constexpr int kLivingChunk = 32;
// What Jet reports when a record set is opened on a statement that is not a selection.
constexpr int kInvalidOperation = 3219;

QString Quoted(const QString& name) {
    return '"' + name + '"';
}

// Only the IDs are collected, so "SELECT * FROM" is narrowed to the ID column: the engine
// then sorts and keeps far less. Anything else runs as written.
QString NarrowedToId(const QString& sql) {
    static const QRegularExpression selectAll(QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s)"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = selectAll.match(sql);
    if (!match.hasMatch())
        return QString();
    const qsizetype star = sql.indexOf(QLatin1Char('*'));
    return sql.left(star) + QStringLiteral("[ID]") + sql.mid(star + 1);
}

Statement PrepareSetQuery(Connection& db, const QString& sql) {
    const QString narrowed = NarrowedToId(sql);
    if (!narrowed.isEmpty()) {
        try {
            return db.Prepare(narrowed);
        } catch (const EngineError&) {
            // The narrowed text may not stand on its own (an ORDER BY by position, say).
        }
    }
    return db.Prepare(sql);
}

int IdColumn(const Statement& statement) {
    for (int i = 0; i < statement.ColumnCount(); ++i)
        if (statement.ColumnName(i).compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

KeysetCursor::KeysetCursor(StatementCache& statements, const ChangeWatch& watch,
                           const QString& table, const QString& sql)
    : m_statements(statements), m_watch(watch), m_table(Quoted(table)), m_sql(sql) {
    Requery();
}

void KeysetCursor::Requery() {
    const ChangeWatch::Token token = m_watch.Now();
    // The statement is stored text: it may read the list and nothing else, and it may be
    // stopped.
    const SetQueryGuard guard(m_statements.Db().Handle());
    std::vector<qint64> ids;
    if (CollectSortedIds(m_statements.Db(), m_sql, ids)) {
        Reset(std::move(ids), token);
        return;
    }
    Statement statement = PrepareSetQuery(m_statements.Db(), m_sql);
    if (!statement.IsReadOnly())
        throw EngineError(kInvalidOperation,
                          QStringLiteral("The query would change the list; only a query that "
                                         "selects records can be opened."));
    const int idColumn = IdColumn(statement);
    if (idColumn < 0)
        throw EngineError(kInvalidOperation, QStringLiteral("The query gives no ID column."));
    while (statement.Step())
        ids.push_back(statement.Number(idColumn));
    Reset(std::move(ids), token);
}

void KeysetCursor::Reset(std::vector<qint64> ids, const ChangeWatch::Token& token) {
    m_ids = std::move(ids);
    m_token = token;
    m_pos = -1;
    m_between = false;
}

void KeysetCursor::Clear() {
    m_ids.clear();
    m_pos = -1;
    m_between = false;
}

qint64 KeysetCursor::Current() const {
    if (m_between || m_pos < 0 || m_pos >= qint64(m_ids.size()))
        return 0;
    return m_ids[size_t(m_pos)];
}

bool KeysetCursor::IsLiving(qint64 index, int direction) {
    const ChangeWatch::Token now = m_watch.Now();
    if (now == m_token)
        return true;
    if (now != m_checkedToken || index < m_checkedLow || index >= m_checkedHigh)
        CheckChunk(index, direction, now);
    return m_living.count(m_ids[size_t(index)]) > 0;
}

void KeysetCursor::CheckChunk(qint64 index, int direction, const ChangeWatch::Token& token) {
    m_checkedLow = direction > 0 ? index : std::max<qint64>(0, index - kLivingChunk + 1);
    m_checkedHigh = std::min(Count(), m_checkedLow + kLivingChunk);
    m_checkedToken = token;
    m_living.clear();
    static const QString marks = [] {
        QStringList list;
        for (int i = 0; i < kLivingChunk; ++i)
            list << QStringLiteral("?");
        return list.join(',');
    }();
    CachedStatement check =
        m_statements.Use("SELECT ID FROM " + m_table + " WHERE ID IN (" + marks + ")");
    for (int i = 0; i < kLivingChunk; ++i) {
        const qint64 at = m_checkedLow + i;
        // Unused places look for an ID no row has.
        check->Bind(i + 1, at < m_checkedHigh ? m_ids[size_t(at)] : qint64(-1));
    }
    while (check->Step())
        m_living.insert(check->Number(0));
}

qint64 KeysetCursor::NextLiving(qint64 start, int direction) {
    for (qint64 i = start; i >= 0 && i < Count(); i += direction)
        if (IsLiving(i, direction))
            return i;
    return -1;
}

bool KeysetCursor::MoveFirst() {
    const qint64 found = NextLiving(0, 1);
    if (found < 0)
        return false;
    m_pos = found;
    m_between = false;
    return true;
}

bool KeysetCursor::MoveLast() {
    const qint64 found = NextLiving(Count() - 1, -1);
    if (found < 0)
        return false;
    m_pos = found;
    m_between = false;
    return true;
}

bool KeysetCursor::MoveNext() {
    if (m_pos < 0 && !m_between)
        return MoveFirst();
    const qint64 found = NextLiving(m_pos + 1, 1);
    if (found < 0)
        return false;
    m_pos = found;
    m_between = false;
    return true;
}

bool KeysetCursor::MovePrevious() {
    if (m_pos < 0 && !m_between)
        return MoveLast();
    const qint64 found = NextLiving(m_between ? m_pos : m_pos - 1, -1);
    if (found < 0)
        return false;
    m_pos = found;
    m_between = false;
    return true;
}

bool KeysetCursor::MoveTo(qint64 id) {
    if (Current() == id && id != 0)
        return true;
    const auto found = std::find(m_ids.begin(), m_ids.end(), id);
    if (found == m_ids.end())
        return false;
    m_pos = found - m_ids.begin();
    m_between = false;
    return true;
}

void KeysetCursor::Removed(qint64 id) {
    const bool standingOnIt = Current() == id && id != 0;
    const auto found =
        standingOnIt ? m_ids.begin() + m_pos : std::find(m_ids.begin(), m_ids.end(), id);
    if (found == m_ids.end())
        return;
    const qint64 index = found - m_ids.begin();
    m_ids.erase(found);
    if (standingOnIt) {
        m_pos = index - 1;
        m_between = true;
    } else if (m_pos >= 0 && (index < m_pos || (m_between && index <= m_pos))) {
        --m_pos;
    }
}

bool KeysetCursor::FindFirst(const QString& column, const QVariant& value, bool exact) {
    const qint64 found = FindFrom(0, column, value, exact);
    if (found < 0)
        return false;
    m_pos = found;
    m_between = false;
    return true;
}

qint64 KeysetCursor::FindFrom(qint64 start, const QString& column, const QVariant& value,
                              bool exact) {
    const QString condition = Quoted(column) + (exact ? " = ?" : " >= ?");
    Connection& db = m_statements.Db();
    const qint64 probeEnd = std::min(Count(), start + kProbeRows);
    for (qint64 chunk = start; chunk < probeEnd; chunk += kProbeChunk) {
        const qint64 chunkEnd = std::min(probeEnd, chunk + kProbeChunk);
        QStringList ids;
        for (qint64 i = chunk; i < chunkEnd; ++i)
            ids << QString::number(m_ids[size_t(i)]);
        Statement probe = db.Prepare("SELECT ID FROM " + m_table + " WHERE " + condition +
                                     " AND ID IN (" + ids.join(',') + ")");
        probe.Bind(1, value);
        std::unordered_set<qint64> matches;
        while (probe.Step())
            matches.insert(probe.Number(0));
        for (qint64 i = chunk; i < chunkEnd; ++i)
            if (matches.count(m_ids[size_t(i)]))
                return i;
    }
    if (probeEnd >= Count())
        return -1;
    std::vector<bool> matches(
        size_t(std::max<qint64>(0, db.QueryNumber("SELECT max(ID) FROM " + m_table) + 1)));
    Statement all = db.Prepare("SELECT ID FROM " + m_table + " WHERE " + condition);
    all.Bind(1, value);
    while (all.Step()) {
        const qint64 id = all.Number(0);
        if (id >= 0 && size_t(id) < matches.size())
            matches[size_t(id)] = true;
    }
    for (qint64 i = probeEnd; i < Count(); ++i) {
        const qint64 id = m_ids[size_t(i)];
        if (id >= 0 && size_t(id) < matches.size() && matches[size_t(id)])
            return i;
    }
    return -1;
}
