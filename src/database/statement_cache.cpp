#include "database/statement_cache.h"

#include "database/connection.h"
#include "database/statement.h"

#include <utility>

CachedStatement::~CachedStatement() {
    if (m_statement)
        m_statement->Reset();
}

CachedStatement::CachedStatement(CachedStatement&& other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr)) {}

StatementCache::StatementCache(Connection& connection) : m_connection(connection) {}

StatementCache::~StatementCache() = default;

CachedStatement StatementCache::Use(const QString& sql) {
    auto found = m_statements.find(sql);
    if (found == m_statements.end()) {
        auto statement = std::make_unique<Statement>(m_connection.Prepare(sql));
        found = m_statements.emplace(sql, std::move(statement)).first;
    }
    return CachedStatement(*found->second);
}
