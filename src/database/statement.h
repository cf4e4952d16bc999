#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// A prepared statement. Values are bound, never pasted into the text. A statement is
// finalised when destroyed; Reset() ends a half-read result at once so that a statement
// never stays in the middle of a step between two calls.
class Statement {
public:
    Statement(sqlite3* db, sqlite3_stmt* statement) : m_db(db), m_stmt(statement) {}
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Positions count from 1. A null QVariant binds NULL.
    Statement& Bind(int position, const QVariant& value);
    Statement& Bind(int position, const QString& value);
    Statement& Bind(int position, const char* value) {
        return Bind(position, QString::fromUtf8(value));
    }
    // Binds UTF-8 text without copying it: the bytes must stay as they are until the
    // statement has run, and every run must bind the position again.
    Statement& BindUtf8(int position, QByteArrayView text);
    Statement& Bind(int position, qint64 value);
    Statement& Bind(int position, int value) { return Bind(position, qint64(value)); }
    Statement& Bind(int position, double value);

    // Advances to the next row: true when there is one, false at the end.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();
    void Reset();

    // True when running the statement cannot change the file.
    bool IsReadOnly() const;
    int ColumnCount() const;
    QString ColumnName(int column) const;
    bool IsNull(int column) const;
    bool IsText(int column) const;
    QString Text(int column) const;
    // The column's text as the engine holds it (UTF-8), valid until the next step; empty for
    // NULL.
    QByteArrayView Utf8(int column) const;
    qint64 Number(int column) const;
    double Real(int column) const;
    QVariant Value(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt;
};
