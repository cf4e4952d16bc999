#pragma once

#include <QHashFunctions>
#include <QString>
#include <memory>
#include <unordered_map>

class Connection;
class Statement;

// A statement borrowed from a StatementCache. It is reset when the handle goes, so a
// statement never stays in the middle of a step between two calls of a store.
class CachedStatement {
public:
    explicit CachedStatement(Statement& statement) : m_statement(&statement) {}
    ~CachedStatement();
    CachedStatement(CachedStatement&& other) noexcept;
    CachedStatement(const CachedStatement&) = delete;
    CachedStatement& operator=(const CachedStatement&) = delete;
    CachedStatement& operator=(CachedStatement&&) = delete;

    Statement* operator->() const { return m_statement; }
    Statement& operator*() const { return *m_statement; }

private:
    Statement* m_statement;
};

// The prepared statements a store runs again and again (moves, column reads), compiled
// once per connection and looked up by their text.
class StatementCache {
public:
    explicit StatementCache(Connection& connection);
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // The statement for the text, ready for binding. Throws EngineError when the text does
    // not compile.
    CachedStatement Use(const QString& sql);
    Connection& Db() const { return m_connection; }

private:
    Connection& m_connection;
    std::unordered_map<QString, std::unique_ptr<Statement>> m_statements;
};
