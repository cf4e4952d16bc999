#include "database/batch_scope.h"

#include "database/connection.h"
#include "database/engine_error.h"

#include <exception>

BatchScope::BatchScope(Connection& connection, BatchScope*& active, int rows)
    : m_connection(connection), m_active(active), m_outer(active),
      m_batchRows(rows > 0 ? rows : kDefaultRows), m_exceptions(std::uncaught_exceptions()) {
    if (m_outer)
        return; // joins the scope already open
    Begin();
    m_active = this;
}

BatchScope::~BatchScope() {
    if (m_outer)
        return;
    m_active = nullptr;
    if (!m_open)
        return;
    const bool failing = std::uncaught_exceptions() > m_exceptions;
    try {
        m_connection.Execute(failing ? "ROLLBACK" : "COMMIT");
    } catch (const EngineError&) {
        try {
            m_connection.Execute("ROLLBACK");
        } catch (const EngineError&) {
            // The engine has already ended the transaction.
        }
    }
}

void BatchScope::Begin() {
    m_connection.Execute("BEGIN IMMEDIATE");
    m_open = true;
    m_rows = 0;
}

void BatchScope::RowWritten() {
    if (m_outer) {
        m_outer->RowWritten();
        return;
    }
    if (++m_rows >= m_batchRows)
        Commit();
}

void BatchScope::Commit() {
    if (m_outer) {
        m_outer->Commit();
        return;
    }
    m_open = false;
    try {
        m_connection.Execute("COMMIT");
    } catch (const EngineError&) {
        try {
            m_connection.Execute("ROLLBACK");
        } catch (const EngineError&) {
            // The engine has already ended the transaction.
        }
        throw;
    }
    Begin();
}
