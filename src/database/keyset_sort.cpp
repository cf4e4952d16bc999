#include "database/keyset_sort.h"

#include "database/connection.h"
#include "database/statement.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <numeric>
#include <sqlite3.h>
#include <string>

namespace {

struct SimpleQuery {
    QString table;
    QString where; // empty, or " WHERE ..."
    QString column;
};

// Splits a query of the simple form; false for any other. Words that could make the FROM
// part more than one table's rows (a join, a union, a subquery, grouping, a limit) send the
// query to the engine as it stands, even when they only stand inside a quoted value.
bool ReadSimpleQuery(const QString& sql, SimpleQuery& query) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+\[?(\w+)\]?(\s+WHERE\s.*)?\s+ORDER\s+BY\s+)"
                       R"(\[?(\w+)\]?\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression other(
        QStringLiteral(R"(\b(SELECT|ORDER|GROUP|LIMIT|UNION|JOIN|HAVING|EXCEPT|INTERSECT)\b)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(sql);
    if (!match.hasMatch() || other.match(match.captured(2)).hasMatch())
        return false;
    query = {match.captured(1), match.captured(2), match.captured(3)};
    return true;
}

// The collation of a table's column: "NOCASE" or "BINARY"; empty when unknown.
QString ColumnCollation(Connection& db, const SimpleQuery& query) {
    const char* type = nullptr;
    const char* collation = nullptr;
    if (sqlite3_table_column_metadata(db.Handle(), nullptr, query.table.toUtf8().constData(),
                                      query.column.toUtf8().constData(), &type, &collation, nullptr,
                                      nullptr, nullptr) != SQLITE_OK ||
        !collation)
        return QString();
    const QString name = QString::fromUtf8(collation).toUpper();
    return name == QLatin1String("NOCASE") || name == QLatin1String("BINARY") ? name : QString();
}

struct Row {
    qint64 id;
    size_t keyAt; // into the key bytes
    quint32 keyLength;
    bool null;
};

} // namespace

bool CollectSortedIds(Connection& db, const QString& sql, std::vector<qint64>& ids) {
    SimpleQuery query;
    if (!ReadSimpleQuery(sql, query))
        return false;
    const QString collation = ColumnCollation(db, query);
    if (collation.isEmpty())
        return false;
    const bool fold = collation == QLatin1String("NOCASE");

    Statement rows = db.Prepare(QStringLiteral("SELECT [ID], [%1] FROM [%2]%3")
                                    .arg(query.column, query.table, query.where));
    std::vector<Row> found;
    std::string keys;
    while (rows.Step()) {
        if (rows.IsNull(1)) {
            found.push_back({rows.Number(0), keys.size(), 0, true});
            continue;
        }
        // Numbers sort apart from texts: the engine knows how. (The type is asked before the
        // text, which would convert it.)
        if (!rows.IsText(1))
            return false;
        const QByteArrayView text = rows.Utf8(1);
        const size_t at = keys.size();
        keys.append(text.data(), size_t(text.size()));
        // NOCASE folds the ASCII letters only, byte by byte.
        if (fold)
            for (size_t i = at; i < keys.size(); ++i)
                if (keys[i] >= 'A' && keys[i] <= 'Z')
                    keys[i] = char(keys[i] - 'A' + 'a');
        found.push_back({rows.Number(0), at, quint32(text.size()), false});
    }
    const auto less = [&keys](const Row& a, const Row& b) {
        if (a.null || b.null)
            return a.null && !b.null;
        const int c = std::memcmp(keys.data() + a.keyAt, keys.data() + b.keyAt,
                                  std::min(a.keyLength, b.keyLength));
        return c != 0 ? c < 0 : a.keyLength < b.keyLength;
    };
    std::stable_sort(found.begin(), found.end(), less);
    ids.resize(found.size());
    for (size_t i = 0; i < found.size(); ++i)
        ids[i] = found[i].id;
    return true;
}
