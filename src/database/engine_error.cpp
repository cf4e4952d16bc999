#include "database/engine_error.h"

#include "database/damage_notes.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// Constraint names of the schema are sentences ("Name holds at most 34 characters");
// turn a failed one into the Jet case and a description that names the column and limit.
EngineError FromCheckConstraint(const QString& constraint, int code) {
    static const QRegularExpression length(R"(^(\w+) holds at most (\d+) characters$)");
    static const QRegularExpression empty(R"(^(\w+) can't be empty$)");
    static const QRegularExpression range(R"(^(\w+) holds 0 to 255$)");
    QRegularExpressionMatch m = length.match(constraint);
    if (m.hasMatch())
        return EngineError(JetError::FieldTooSmall,
                           QStringLiteral("The value for %1 is too long: %1 holds at most %2 "
                                          "characters.")
                               .arg(m.captured(1), m.captured(2)),
                           code);
    m = empty.match(constraint);
    if (m.hasMatch())
        return EngineError(JetError::ZeroLengthNotAllowed,
                           QStringLiteral("%1 can't be an empty text.").arg(m.captured(1)), code);
    m = range.match(constraint);
    if (m.hasMatch())
        return EngineError(JetError::ValueOutOfRange,
                           QStringLiteral("The value for %1 must be a whole number from 0 to 255.")
                               .arg(m.captured(1)),
                           code);
    return EngineError(code, QStringLiteral("The value breaks the rule \"%1\".").arg(constraint),
                       code);
}

} // namespace

EngineError::EngineError(int number, const QString& description, int engineCode)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description),
      m_engineCode(engineCode) {}

EngineError EngineError::FromEngine(int engineCode, const char* engineMessage) {
    const QString message = QString::fromUtf8(engineMessage ? engineMessage : "");
    const QString check = QStringLiteral("CHECK constraint failed: ");
    if (engineCode == SQLITE_CONSTRAINT_CHECK && message.startsWith(check))
        return FromCheckConstraint(message.mid(check.size()), engineCode);
    switch (engineCode & 0xff) {
    case SQLITE_NOTADB:
        return EngineError(JetError::UnrecognisedFormat, message, engineCode);
    case SQLITE_CORRUPT:
        return EngineError(JetError::Damaged, message, engineCode);
    case SQLITE_FULL:
        return EngineError(JetError::DiskFull, message, engineCode);
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_AUTH:
        return EngineError(JetError::FileLocked, message, engineCode);
    case SQLITE_IOERR:
        if (engineCode == SQLITE_IOERR_SHORT_READ)
            return EngineError(JetError::Damaged, message, engineCode);
        return EngineError(engineCode, message, engineCode);
    default:
        return EngineError(engineCode, message, engineCode);
    }
}

EngineError EngineError::FromConnection(sqlite3* db, int engineCode) {
    const int extended = db ? sqlite3_extended_errcode(db) : engineCode;
    const char* message = db ? sqlite3_errmsg(db) : sqlite3_errstr(engineCode);
    // A file that can't be opened or made because the file or its folder refuses writing
    // (the journal beside a list, a work file) is a write-protected file to the user.
    if (db && (extended & 0xff) == SQLITE_CANTOPEN) {
        const int system = sqlite3_system_errno(db);
        const char* file = sqlite3_db_filename(db, "main");
        if (system == EACCES || system == EPERM || system == EROFS ||
            (file && *file && FolderRefusesWriting(QString::fromUtf8(file))))
            return EngineError(JetError::FileLocked, QString::fromUtf8(message), extended);
    }
    EngineError error =
        FromEngine((extended & 0xff) == (engineCode & 0xff) ? extended : engineCode, message);
    if (db && error.IsDamagedFile()) {
        const char* file = sqlite3_db_filename(db, "main");
        if (file && *file)
            NoteDamage(QString::fromUtf8(file));
    }
    return error;
}

bool FolderRefusesWriting(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::access(folder.constData(), W_OK) == 0)
        return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

QString EngineError::Text() const {
    return QString::number(m_number) + " " + m_description;
}

bool EngineError::IsDamagedFile() const {
    return m_number == JetError::Damaged || m_number == JetError::UnrecognisedFormat;
}
