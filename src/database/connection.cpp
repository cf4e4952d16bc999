#include "database/connection.h"

#include "database/engine_error.h"
#include "database/jet_dialect.h"
#include "database/long_path_vfs.h"
#include "database/statement.h"

#include <sqlite3.h>

namespace {

constexpr int kBusyTimeoutMs = 5000;

// like(pattern, text) with Jet's wildcards; NULL on either side gives NULL, as in SQL.
void JetLikeFunction(sqlite3_context* context, int, sqlite3_value** args) {
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(args[1]));
    if (!pattern || !text) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int(context, JetLikeMatch(pattern, text) ? 1 : 0);
}

// Before the engine starts: its count of the memory it uses, which the program never asks
// for, takes a lock on every allocation (and a bulk import makes millions of them).
[[maybe_unused]] const bool g_noMemoryCount =
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;

// Before main(): a test's own file system registered later wraps this one.
[[maybe_unused]] const bool g_usingLongPaths = UseLongPathFileSystem();

} // namespace

std::unique_ptr<Connection> Connection::Open(const QString& path, Mode mode) {
    int flags = SQLITE_OPEN_FULLMUTEX;
    switch (mode) {
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::ReadOnly:
        // A read-only connection serves one pass on one thread: the engine's locking of the
        // connection on every call is left out, which matters when a pass reads every
        // column of a million rows.
        flags = SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_READONLY;
        break;
    case Mode::Salvage:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case Mode::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        EngineError error = EngineError::FromConnection(db, rc);
        sqlite3_close(db);
        // A new file that can't be made in a write-protected folder.
        if ((error.EngineCode() & 0xff) == SQLITE_CANTOPEN && mode == Mode::Create &&
            FolderRefusesWriting(path))
            error = EngineError(JetError::FileLocked, error.Description(), error.EngineCode());
        throw error;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            JetLikeFunction, nullptr, nullptr);
    std::unique_ptr<Connection> connection(new Connection(db, path));
    // A file shorter than its header says is refused outright unless the schema may be
    // read as it stands; for salvage, every page that is there is worth reading.
    if (mode == Mode::Salvage)
        connection->Execute("PRAGMA writable_schema = ON");
    // Reading the catalogue makes the engine look at the file now, so that a file that is
    // not a database fails here rather than at the first use.
    connection->QueryNumber("SELECT count(*) FROM sqlite_master");
    return connection;
}

Connection::~Connection() {
    sqlite3_close_v2(m_db);
}

Statement Connection::Prepare(const QString& sql) {
    const QByteArray text = RewriteJetDateLiterals(sql).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        throw EngineError::FromConnection(m_db, rc);
    }
    return Statement(m_db, stmt);
}

void Connection::Execute(const QString& sql) {
    const QByteArray text = RewriteJetDateLiterals(sql).toUtf8();
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, text.constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const EngineError error =
            (rc & 0xff) == SQLITE_CANTOPEN
                ? EngineError::FromConnection(m_db, rc)
                : EngineError::FromEngine(sqlite3_extended_errcode(m_db), message);
        sqlite3_free(message);
        throw error;
    }
}

QString Connection::QueryText(const QString& sql) {
    Statement statement = Prepare(sql);
    return statement.Step() ? statement.Text(0) : QString();
}

qint64 Connection::QueryNumber(const QString& sql) {
    Statement statement = Prepare(sql);
    return statement.Step() ? statement.Number(0) : 0;
}

bool Connection::HasTable(const QString& table) {
    Statement statement =
        Prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    statement.Bind(1, table);
    return statement.Step();
}

qint64 Connection::LastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

int Connection::Changes() const {
    return sqlite3_changes(m_db);
}

bool Connection::IsReadOnly() const {
    return sqlite3_db_readonly(m_db, "main") == 1;
}

Transaction::Transaction(Connection& connection) : m_connection(connection) {
    m_connection.Execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (m_open) {
        try {
            m_connection.Execute("ROLLBACK");
        } catch (const EngineError&) {
            // The engine may already have rolled back after the failure.
        }
    }
}

void Transaction::Commit() {
    m_connection.Execute("COMMIT");
    m_open = false;
}
