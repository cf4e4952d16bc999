#include "database/control_core.h"

#include "app/messages.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/open_database.h"
#include "database/statement.h"

ControlCore::ControlCore() : m_connection(OpenCurrentDatabase()) {
    if (!m_connection)
        ShowFatalError(2, "Couldn't open the database in ControlCore");
}

ControlCore::~ControlCore() = default;

QString ControlCore::Magic() const {
    try {
        return m_connection->QueryText("SELECT Identification FROM Control ORDER BY rowid");
    } catch (const EngineError&) {
        return QString();
    }
}

qint64 ControlCore::DatabaseVersion() const {
    return ReadNumber("DatabaseVersion");
}
qint64 ControlCore::CurrentTemplate() const {
    return ReadNumber("CurrentTemplate");
}
void ControlCore::SetCurrentTemplate(qint64 id) {
    WriteNumber("CurrentTemplate", id);
}
qint64 ControlCore::CurrentFilter() const {
    return ReadNumber("CurrentFilter");
}
void ControlCore::SetCurrentFilter(qint64 id) {
    WriteNumber("CurrentFilter", id);
}
qint64 ControlCore::CurrentLabel() const {
    return ReadNumber("CurrentLabel");
}
void ControlCore::SetCurrentLabel(qint64 id) {
    WriteNumber("CurrentLabel", id);
}

qint64 ControlCore::ReadNumber(const char* column) const {
    try {
        return m_connection->QueryNumber(
            QStringLiteral("SELECT \"%1\" FROM Control ORDER BY rowid").arg(column));
    } catch (const EngineError&) {
        return 0;
    }
}

void ControlCore::WriteNumber(const char* column, qint64 value) {
    try {
        Statement update =
            m_connection->Prepare(QStringLiteral("UPDATE Control SET \"%1\" = ? WHERE rowid = "
                                                 "(SELECT min(rowid) FROM Control)")
                                      .arg(column));
        update.Bind(1, value).Run();
    } catch (const EngineError& error) {
        InfoBox(error.Text());
    }
}
