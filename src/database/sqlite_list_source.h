#pragma once

#include "database/list_source.h"

class Connection;

// A list file of this program's engine read for conversion (an older format version).
class SqliteListSource : public ListSource {
public:
    explicit SqliteListSource(Connection& connection) : m_connection(connection) {}

    QStringList Columns(const QString& table) override;
    void ReadRows(const QString& table, const QStringList& columns, int limit,
                  const RowHandler& handler) override;

private:
    Connection& m_connection;
};
