#include "database/statement.h"

#include "database/engine_error.h"

#include <sqlite3.h>
#include <utility>

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement&& other) noexcept
    : m_db(other.m_db), m_stmt(std::exchange(other.m_stmt, nullptr)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

Statement& Statement::Bind(int position, const QVariant& value) {
    if (value.isNull())
        sqlite3_bind_null(m_stmt, position);
    else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        Bind(position, value.toDouble());
    else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
             value.typeId() == QMetaType::UInt || value.typeId() == QMetaType::Bool ||
             value.typeId() == QMetaType::UChar)
        Bind(position, value.toLongLong());
    else
        Bind(position, value.toString());
    return *this;
}

Statement& Statement::Bind(int position, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(m_stmt, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::BindUtf8(int position, QByteArrayView text) {
    // An empty view may have no data; the engine takes a null pointer for NULL.
    sqlite3_bind_text(m_stmt, position, text.isEmpty() ? "" : text.data(), int(text.size()),
                      SQLITE_STATIC);
    return *this;
}

Statement& Statement::Bind(int position, qint64 value) {
    sqlite3_bind_int64(m_stmt, position, value);
    return *this;
}

Statement& Statement::Bind(int position, double value) {
    sqlite3_bind_double(m_stmt, position, value);
    return *this;
}

bool Statement::Step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(m_stmt);
        return false;
    }
    const EngineError error = EngineError::FromConnection(m_db, rc);
    sqlite3_reset(m_stmt);
    throw error;
}

void Statement::Run() {
    while (Step()) {
    }
}

void Statement::Reset() {
    sqlite3_reset(m_stmt);
}

bool Statement::IsReadOnly() const {
    return sqlite3_stmt_readonly(m_stmt) != 0;
}

int Statement::ColumnCount() const {
    return sqlite3_column_count(m_stmt);
}

QString Statement::ColumnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

bool Statement::IsText(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_TEXT;
}

QString Statement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column)) : QString();
}

QByteArrayView Statement::Utf8(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? QByteArrayView(text, sqlite3_column_bytes(m_stmt, column)) : QByteArrayView();
}

qint64 Statement::Number(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::Real(int column) const {
    return sqlite3_column_double(m_stmt, column);
}

QVariant Statement::Value(int column) const {
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return Number(column);
    case SQLITE_FLOAT:
        return Real(column);
    case SQLITE_NULL:
        return QVariant();
    default:
        return Text(column);
    }
}
