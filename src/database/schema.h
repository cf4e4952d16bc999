#pragma once

#include <QString>
#include <vector>

class Connection;

// The list file's tables, columns and indexes, in the order they are created.
enum class ColumnType { Counter, Text, Memo, Long, Byte, Single, Date };

struct ColumnDef {
    const char* name;
    ColumnType type;
    int size;                 // Text only
    const char* defaultValue; // the default expression as written; nullptr for none
    bool allowZeroLength;     // Text and Memo only
};

struct IndexDef {
    const char* name;
    const char* column;
};

struct TableDef {
    const char* name;
    std::vector<ColumnDef> columns;
    std::vector<IndexDef> indexes; // besides the primary key, which is the counter column
};

// The format version this program writes.
constexpr int kCurrentDatabaseVersion = 2;
// The identity mark of a list file's control row.
extern const char* const kIdentityMark;
// The zero date: "no date".
extern const char* const kZeroDate;

const std::vector<TableDef>& ListSchema();
const TableDef* FindTable(const QString& name);

// The statements that make one table and its indexes.
QString CreateTableSql(const TableDef& table);
std::vector<QString> CreateIndexSql(const TableDef& table);
// Makes every table and index on an empty database, in one transaction.
void CreateSchema(Connection& connection);
