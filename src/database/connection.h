#pragma once

#include <QString>
#include <memory>

struct sqlite3;
class Statement;

// One connection to a list file. Statements are given in Jet SQL: date literals are
// rewritten and LIKE is Jet's; everything else goes to the engine as written.
// Every failure throws EngineError.
class Connection {
public:
    enum class Mode {
        ReadWrite, // an existing file; falls back to read-only when it is write-protected
        ReadOnly,  // an existing file, never written; for use on one thread at a time
        Create,    // the file is made when missing
        Salvage,   // read-only, and reading as far as a damaged or cut-short file allows
    };

    static std::unique_ptr<Connection> Open(const QString& path, Mode mode = Mode::ReadWrite);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Statement Prepare(const QString& sql);
    // Runs one or more statements that return no rows.
    void Execute(const QString& sql);
    // The first column of the first row of a query, or an empty string without rows.
    QString QueryText(const QString& sql);
    qint64 QueryNumber(const QString& sql);

    bool HasTable(const QString& table);
    qint64 LastInsertId() const;
    int Changes() const;
    bool IsReadOnly() const;
    const QString& Path() const { return m_path; }
    sqlite3* Handle() const { return m_db; }

private:
    Connection(sqlite3* db, const QString& path) : m_db(db), m_path(path) {}
    sqlite3* m_db;
    QString m_path;
};

// A transaction that rolls back unless committed. Bulk work commits in batches.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

private:
    Connection& m_connection;
    bool m_open = true;
};
