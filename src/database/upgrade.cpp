#include "database/upgrade.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/file_kind.h"
#include "database/schema.h"

void UpgradeDatabase(const QString& path) {
    if (DetectFileKind(path) != FileKind::SQLite)
        return; // missing or another kind of file: the open reports it
    auto connection = Connection::Open(path);
    const qint64 version = connection->QueryNumber("SELECT DatabaseVersion FROM Control");
    if (version != kCurrentDatabaseVersion)
        return; // no conversion is known for this version: leave the file as it is
    // Stamping the same value again changes nothing on disk, so only a differing value is
    // written.
    connection->Execute(QStringLiteral("UPDATE Control SET DatabaseVersion = %1 WHERE "
                                       "DatabaseVersion IS NOT %1")
                            .arg(kCurrentDatabaseVersion));
}
