#pragma once

class Connection;

// Bulk work through a store (import, conversion, purge, flag resets) runs in transactions
// of a few thousand rows: a scope opens a transaction, the store counts each row it writes
// into it, and every full batch is committed and a new one begun. When the scope ends
// normally (the work finished or the user stopped it) the rows written so far are
// committed; when it ends because of an error, the open batch is rolled back, so the file
// keeps whole batches. A scope opened while another is open on the same store joins it.
class BatchScope {
public:
    static constexpr int kDefaultRows = 2000;

    // active is the store's slot for its open scope.
    BatchScope(Connection& connection, BatchScope*& active, int rows = kDefaultRows);
    ~BatchScope();
    BatchScope(const BatchScope&) = delete;
    BatchScope& operator=(const BatchScope&) = delete;

    // Counts one row written; commits the batch when it is full. Throws EngineError when
    // the commit fails.
    void RowWritten();
    // Commits the rows written so far and goes on with a new batch.
    void Commit();
    int RowsInBatch() const { return m_rows; }

private:
    void Begin();

    Connection& m_connection;
    BatchScope*& m_active;
    BatchScope* m_outer;
    int m_batchRows;
    int m_rows = 0;
    int m_exceptions;
    bool m_open = false;
};
