#pragma once

#include <QElapsedTimer>
#include <functional>

struct sqlite3;

// Guards the running of a stored query (a filter's) on a connection while it lives: the
// statement may only read the List table (no other table, no recursive WITH, no writes, no
// ATTACH, no PRAGMA), and while it steps, the stop check is asked every few thousand steps;
// a refused or stopped statement fails with an engine error, which the caller reports as a
// corrupt filter. The connection's own statements prepared before are not concerned.
class SetQueryGuard {
public:
    explicit SetQueryGuard(sqlite3* db);
    ~SetQueryGuard();
    SetQueryGuard(const SetQueryGuard&) = delete;
    SetQueryGuard& operator=(const SetQueryGuard&) = delete;

private:
    sqlite3* m_db;
    QElapsedTimer m_started;
};

// What tells a running set query to stop (a window's Stop, a time limit); true stops it.
// Called with the seconds the query has run so far, and with -1 once it has ended (to put
// away what it showed). Empty: queries are never stopped.
void SetQueryStopCheck(std::function<bool(double seconds)> check);
