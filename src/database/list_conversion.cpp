#include "database/list_conversion.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/list_source.h"
#include "database/new_database.h"
#include "database/schema.h"
#include "database/statement.h"

#include <QStringList>

namespace {

// Columns a version-1 file lacks: they keep their defaults.
bool NewInVersion2(const QString& table, const QString& column) {
    if (table == QLatin1String("Control"))
        return column == QLatin1String("DatabaseVersion"); // stamped at the end
    if (table == QLatin1String("List"))
        return column == QLatin1String("CarRt") || column == QLatin1String("DPOverride");
    if (table == QLatin1String("Template"))
        return column == QLatin1String("CarRt");
    if (table == QLatin1String("Filter"))
        return column == QLatin1String("StartCarRt") || column == QLatin1String("EndCarRt");
    return false;
}

// The name a column of the current format had in a version-1 file.
QString Version1Name(const QString& table, const QString& column) {
    if (column == QLatin1String("ID"))
        return table == QLatin1String("Labels") ? QStringLiteral("LNumber")
                                                : QStringLiteral("Number");
    return column;
}

void CopyTable(ListSource& source, int version, const TableDef& table, Connection& target) {
    const QString name = QLatin1String(table.name);
    const QStringList present = source.Columns(name);
    if (present.isEmpty())
        throw EngineError(JetError::NotFound, "The table " + name + " can't be read.");
    QStringList from, to, marks;
    for (const ColumnDef& column : table.columns) {
        const QString current = QLatin1String(column.name);
        if (version == 1 && NewInVersion2(name, current))
            continue;
        const QString old = version == 1 ? Version1Name(name, current) : current;
        if (!present.contains(old, Qt::CaseInsensitive)) {
            if (version == 1)
                throw EngineError(JetError::NotFound,
                                  "The column " + old + " of " + name + " is missing.");
            continue; // a version-2 file without it: the column keeps its default
        }
        from << old;
        to << "\"" + current + "\"";
        marks << "?";
    }
    Statement insert = target.Prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                          .arg(name, to.join(", "), marks.join(", ")));
    const int limit = name == QLatin1String("Control") ? 1 : -1;
    source.ReadRows(name, from, limit, [&](const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i)
            insert.Bind(i + 1, values[i]);
        insert.Run();
    });
}

} // namespace

void ConvertList(ListSource& source, int sourceVersion, const QString& target) {
    if (!CreateNewDatabase(target))
        throw EngineError(JetError::FileLocked,
                          "The converted list " + target + " could not be made.");
    auto connection = Connection::Open(target);
    // The work file is thrown away when anything fails and is flushed to disk before it
    // takes the list's place, so it needs no journal of its own; the indexes are built
    // once the rows are in, which is much faster than keeping them up row by row.
    connection->Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; "
                        "PRAGMA cache_size = -65536");
    for (const TableDef& table : ListSchema())
        for (const IndexDef& index : table.indexes)
            connection->Execute(QStringLiteral("DROP INDEX \"%1\"").arg(index.name));
    Transaction transaction(*connection);
    for (const char* table : {"Control", "Filter", "Labels", "List", "SwitchNames", "Template"})
        CopyTable(source, sourceVersion, *FindTable(QLatin1String(table)), *connection);
    connection->Execute(
        QStringLiteral("UPDATE Control SET DatabaseVersion = %1").arg(kCurrentDatabaseVersion));
    for (const TableDef& table : ListSchema())
        for (const QString& index : CreateIndexSql(table))
            connection->Execute(index);
    transaction.Commit();
}
