#include "database/new_database.h"

#include "app/messages.h"
#include "app/settings.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/file_identity.h"
#include "database/file_replace.h"
#include "database/schema.h"

void WriteEmptyList(const QString& path) {
    auto connection = Connection::Open(path, Connection::Mode::Create);
    CreateSchema(*connection);
}

const char* const kCantOverwriteCurrentList = "Can't overwrite the current database";

bool IsCurrentListFile(const QString& path) {
    return SameFile(path.trimmed(), CurrentListSetting("MyMail.mdb"));
}

bool RefuseCurrentListPath(const QString& path) {
    if (!IsCurrentListFile(path))
        return false;
    InfoBox(QString::fromLatin1(kCantOverwriteCurrentList));
    return true;
}

bool CreateNewDatabase(const QString& path) {
    if (RefuseCurrentListPath(path))
        return false;
    const QString work = WorkFileBeside(path, "new");
    try {
        WriteEmptyList(work);
        if (!ReplaceFile(work, path))
            throw EngineError(JetError::FileLocked, "The new list could not be put in place.");
        return true;
    } catch (const EngineError&) {
        RemoveWorkFile(work);
        return false;
    }
}
