#include "database/sqlite_list_source.h"

#include "database/connection.h"
#include "database/statement.h"

ListSource::~ListSource() = default;

QStringList SqliteListSource::Columns(const QString& table) {
    QStringList columns;
    Statement info = m_connection.Prepare("PRAGMA table_info(\"" + table + "\")");
    while (info.Step())
        columns << info.Text(1);
    return columns;
}

void SqliteListSource::ReadRows(const QString& table, const QStringList& columns, int limit,
                                const RowHandler& handler) {
    QStringList quoted;
    for (const QString& column : columns)
        quoted << "\"" + column + "\"";
    Statement rows = m_connection.Prepare(
        QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid").arg(quoted.join(", "), table));
    QVariantList values;
    for (int n = 0; (limit < 0 || n < limit) && rows.Step(); ++n) {
        values.clear();
        for (int i = 0; i < columns.size(); ++i)
            values << rows.Value(i);
        handler(values);
    }
    rows.Reset();
}
