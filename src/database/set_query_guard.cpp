#include "database/set_query_guard.h"

#include <sqlite3.h>
#include <utility>

namespace {

std::function<bool(double)> g_stopCheck;

// The virtual machine steps between two looks at the stop check.
constexpr int kStepsBetweenChecks = 20000;

int Authorize(void*, int action, const char* first, const char*, const char*, const char*) {
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_FUNCTION:
        return SQLITE_OK;
    case SQLITE_READ:
        return first && sqlite3_stricmp(first, "List") == 0 ? SQLITE_OK : SQLITE_DENY;
    default:
        return SQLITE_DENY; // writes, ATTACH, PRAGMA, recursive WITH, transactions
    }
}

int Progress(void* started) {
    if (!g_stopCheck)
        return 0;
    const double seconds = double(static_cast<QElapsedTimer*>(started)->elapsed()) / 1000.0;
    return g_stopCheck(seconds) ? 1 : 0;
}

} // namespace

SetQueryGuard::SetQueryGuard(sqlite3* db) : m_db(db) {
    m_started.start();
    sqlite3_set_authorizer(m_db, Authorize, nullptr);
    sqlite3_progress_handler(m_db, kStepsBetweenChecks, Progress, &m_started);
}

SetQueryGuard::~SetQueryGuard() {
    if (g_stopCheck)
        g_stopCheck(-1);
    sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
    sqlite3_set_authorizer(m_db, nullptr, nullptr);
}

void SetQueryStopCheck(std::function<bool(double)> check) {
    g_stopCheck = std::move(check);
}
