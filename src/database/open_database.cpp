#include "database/open_database.h"

#include "app/messages.h"
#include "app/settings.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/file_kind.h"
#include "database/repair.h"
#include "database/schema.h"
#include "database/statement.h"
#include "database/upgrade.h"

namespace {

// Locked: another copy of the program is in the middle of writing the file, or the file
// or its folder refuses the access the engine needs.
enum class OpenResult { Opened, Damaged, NotFound, NotAList, Locked };

// Opens the file the way the engine would, telling apart what the user must hear about.
OpenResult TryOpen(const QString& path, std::unique_ptr<Connection>& connection) {
    switch (DetectFileKind(path)) {
    case FileKind::Missing:
    case FileKind::Folder:
        return OpenResult::NotFound;
    case FileKind::Empty:
    case FileKind::Jet:
        return OpenResult::NotAList;
    case FileKind::Other:
        return OpenResult::Damaged;
    case FileKind::SQLite:
        break;
    }
    if (IsTruncatedSQLiteFile(path))
        return OpenResult::Damaged;
    try {
        connection = Connection::Open(path);
        return OpenResult::Opened;
    } catch (const EngineError& error) {
        if (error.Number() == JetError::FileLocked)
            return OpenResult::Locked;
        return error.IsDamagedFile() ? OpenResult::Damaged : OpenResult::NotFound;
    }
}

// Reads the identity mark of the control row; a damaged page there counts as damage.
OpenResult Validate(Connection& connection) {
    try {
        Statement control = connection.Prepare("SELECT Identification FROM Control");
        if (control.Step() && !control.IsNull(0) && control.Text(0) == QLatin1String(kIdentityMark))
            return OpenResult::Opened;
        return OpenResult::NotAList;
    } catch (const EngineError& error) {
        if (error.Number() == JetError::FileLocked)
            return OpenResult::Locked;
        return error.IsDamagedFile() ? OpenResult::Damaged : OpenResult::NotAList;
    }
}

} // namespace

std::unique_ptr<Connection> OpenCurrentDatabase() {
    const QString path = CurrentListSetting();
    try {
        UpgradeDatabase(path);
    } catch (...) {
        // A failed upgrade leaves the file as it was; the open below reports what it finds.
    }

    std::unique_ptr<Connection> connection;
    OpenResult result = TryOpen(path, connection);
    if (result == OpenResult::Opened)
        result = Validate(*connection);
    if (result == OpenResult::Damaged) {
        connection.reset();
        if (!RepairDamagedList(path))
            return nullptr;
        result = TryOpen(path, connection);
        if (result == OpenResult::Opened)
            result = Validate(*connection);
        if (result != OpenResult::Opened) {
            connection.reset();
            InfoBox("The database is corrupt. Can't repair. Bring forward your backup.");
            return nullptr;
        }
    }
    switch (result) {
    case OpenResult::Opened:
        SaveCurrentListSetting(path);
        return connection;
    case OpenResult::NotFound:
        SaveCurrentListSetting(kNoDatabase);
        InfoBox(path == QLatin1String(kNoDatabase)
                    ? QStringLiteral("Please select a mailing list to open.")
                    : "Couldn't find " + path + ". Please select a mailing list to open.");
        return nullptr;
    case OpenResult::Locked:
        // The list is there and stays the current one; it can be opened again once the
        // other copy has finished.
        connection.reset();
        InfoBox("File is locked or write protected\n" + path);
        return nullptr;
    case OpenResult::NotAList:
    case OpenResult::Damaged:
        break;
    }
    InfoBox(path + " is not a valid Lettrino mailing list. Please open a different one.");
    return nullptr;
}
