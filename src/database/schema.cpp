#include "database/schema.h"

#include "database/connection.h"

#include <QStringList>

const char* const kIdentityMark = "Tessavane";
const char* const kZeroDate = "1899-12-30";

namespace {

ColumnDef Counter() {
    return {"ID", ColumnType::Counter, 0, nullptr, false};
}
ColumnDef Text(const char* name, int size, const char* def = "''", bool zeroLength = true) {
    return {name, ColumnType::Text, size, def, zeroLength};
}
ColumnDef Memo(const char* name) {
    return {name, ColumnType::Memo, 0, "''", true};
}
ColumnDef Long(const char* name) {
    return {name, ColumnType::Long, 0, "0", false};
}
ColumnDef Byte(const char* name) {
    return {name, ColumnType::Byte, 0, "0", false};
}
ColumnDef Single(const char* name) {
    return {name, ColumnType::Single, 0, "0", false};
}
ColumnDef Date(const char* name) {
    return {name, ColumnType::Date, 0, "0", false};
}

std::vector<TableDef> MakeSchema() {
    const char* switchesDefault = "'0000000000000000'";
    const char* filterSwitchesDefault = "0000000000000000";
    return {
        {"Control",
         {Text("Identification", 20, "Tessavane", false), Long("DatabaseVersion"),
          Long("CurrentTemplate"), Long("CurrentFilter"), Long("CurrentLabel")},
         {}},
        {"Filter",
         {Counter(),
          Text("FilterName", 20),
          Text("StartName", 34),
          Text("EndName", 34),
          Text("StartCity", 20),
          Text("EndCity", 20),
          Text("StartState", 2),
          Text("EndState", 2),
          Text("StartZip", 10),
          Text("EndZip", 10),
          Text("StartEMail", 35),
          Text("EndEMail", 35),
          Text("StartPhone", 15),
          Text("EndPhone", 15),
          Text("StartCode", 20),
          Text("EndCode", 20),
          Text("StartCarRt", 20),
          Text("EndCarRt", 20),
          Date("StartDate"),
          Date("EndDate"),
          Text("OrSelect", 16, filterSwitchesDefault, false),
          Text("AndSelect", 16, filterSwitchesDefault, false),
          Text("AndReject", 16, filterSwitchesDefault, false),
          Text("OrReject", 16, filterSwitchesDefault, false),
          Byte("Marked"),
          Byte("Imported"),
          Byte("Sequence"),
          Memo("Query")},
         {{"FilterName", "FilterName"}}},
        {"Labels",
         {Counter(), Text("LName", 20), Byte("LRows"), Byte("LCols"), Single("IndentTop"),
          Single("IndentLeft"), Single("RowDelta"), Single("ColDelta"), Single("LTypeSize")},
         {}},
        {"Template",
         {Counter(), Text("TemplateName", 20), Text("Name", 34), Text("Address", 200),
          Text("City", 20), Text("State", 2), Text("Zip", 9), Text("EMail", 35), Text("Phone", 15),
          Text("Attention", 35), Text("Code", 20), Text("CarRt", 20),
          Text("Switches", 16, switchesDefault, false), Memo("Notes"), Byte("Marked")},
         {{"TemplateName", "TemplateName"}}},
        {"List",
         {Counter(), Text("Name", 34), Text("Address", 200), Text("City", 20), Text("State", 2),
          Text("Zip", 10), Text("DPOverride", 2), Text("EMail", 35), Text("Phone", 15),
          Text("Attention", 35), Text("Code", 20), Text("CarRt", 20), Date("LastEdit"),
          Text("Switches", 16, switchesDefault, false), Memo("Notes"), Byte("Marked"),
          Byte("Imported")},
         {{"Name", "Name"}}},
        {"SwitchNames", {Counter(), Text("Name", 32)}, {}},
    };
}

QString Quoted(const char* name) {
    return QStringLiteral("\"%1\"").arg(QLatin1String(name));
}

QString ColumnSql(const ColumnDef& c) {
    const QString name = Quoted(c.name);
    switch (c.type) {
    case ColumnType::Counter:
        return name + " INTEGER PRIMARY KEY AUTOINCREMENT";
    case ColumnType::Long:
        return name + " INTEGER DEFAULT " + c.defaultValue;
    case ColumnType::Byte:
        return name + " INTEGER DEFAULT " + c.defaultValue + " CONSTRAINT \"" + c.name +
               " holds 0 to 255\" CHECK (" + name + " BETWEEN 0 AND 255)";
    case ColumnType::Single:
        return name + " REAL DEFAULT " + c.defaultValue;
    case ColumnType::Date:
        // The zero date stands for Jet's date 0.
        return name + " TEXT DEFAULT '" + kZeroDate + "'";
    case ColumnType::Text:
    case ColumnType::Memo:
        break;
    }
    QString sql = name + " TEXT COLLATE NOCASE DEFAULT " + c.defaultValue;
    if (c.type == ColumnType::Text)
        sql += QStringLiteral(" CONSTRAINT \"%1 holds at most %2 characters\" CHECK "
                              "(length(%3) <= %2)")
                   .arg(QLatin1String(c.name))
                   .arg(c.size)
                   .arg(name);
    if (!c.allowZeroLength)
        sql += QStringLiteral(" CONSTRAINT \"%1 can't be empty\" CHECK (%2 <> '')")
                   .arg(QLatin1String(c.name), name);
    return sql;
}

} // namespace

const std::vector<TableDef>& ListSchema() {
    static const std::vector<TableDef> schema = MakeSchema();
    return schema;
}

const TableDef* FindTable(const QString& name) {
    for (const TableDef& table : ListSchema())
        if (name.compare(QLatin1String(table.name), Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

QString CreateTableSql(const TableDef& table) {
    QStringList columns;
    for (const ColumnDef& column : table.columns)
        columns << ColumnSql(column);
    return "CREATE TABLE " + Quoted(table.name) + " (\n    " + columns.join(",\n    ") + "\n)";
}

std::vector<QString> CreateIndexSql(const TableDef& table) {
    std::vector<QString> statements;
    for (const IndexDef& index : table.indexes)
        statements.push_back(
            QStringLiteral("CREATE INDEX %1 ON %2 (%3 COLLATE NOCASE)")
                .arg(Quoted(index.name), Quoted(table.name), Quoted(index.column)));
    return statements;
}

void CreateSchema(Connection& connection) {
    Transaction transaction(connection);
    for (const TableDef& table : ListSchema()) {
        connection.Execute(CreateTableSql(table));
        for (const QString& index : CreateIndexSql(table))
            connection.Execute(index);
    }
    transaction.Commit();
}
