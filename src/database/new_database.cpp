#include "database/new_database.h"

#include "app/messages.h"
#include "app/settings.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/file_replace.h"
#include "database/schema.h"

#include <QFile>

bool CreateNewDatabase(const QString& path) {
    if (path.trimmed() == CurrentListSetting("MyMail.mdb")) {
        InfoBox("Can't overwrite the current database");
        return false;
    }
    const QString work = WorkFileBeside(path, "new");
    try {
        {
            auto connection = Connection::Open(work, Connection::Mode::Create);
            CreateSchema(*connection);
        }
        if (!ReplaceFile(work, path))
            throw EngineError(JetError::FileLocked, "The new list could not be put in place.");
        return true;
    } catch (const EngineError&) {
        QFile::remove(work);
        return false;
    }
}
