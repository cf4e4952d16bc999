#include "database/upgrade.h"

#include "app/messages.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/file_identity.h"
#include "database/file_kind.h"
#include "database/file_names.h"
#include "database/file_replace.h"
#include "database/jet_file.h"
#include "database/list_conversion.h"
#include "database/schema.h"
#include "database/sqlite_list_source.h"

#include <QDir>
#include <QFile>

namespace {

std::function<void(const char*)> g_stepHook;

void Step(const char* name) {
    if (g_stepHook)
        g_stepHook(name);
}

QString FolderOf(const QString& path) {
    QString folder;
    FileNamePart(path, &folder);
    return folder;
}

// Converts into the work file, keeps the original under the backup name and puts the
// converted list at the path. Until the last rename the path holds the original. A stale
// work or backup file of an earlier conversion is removed first; but when the list itself
// bears the work or backup name (a kept backup opened as a list), the conversion works
// under another free name and never removes the list it converts.
void Convert(ListSource& source, int version, const QString& path) {
    // Through a symbolic link the link's target takes the converted list (which is made
    // beside it); the link stays, and the original is kept as a file of its own.
    const QString list = FileBehindLink(path);
    const QString work = SideFileAvoiding(UpgradeWorkFile(list), path);
    const QString backup = SideFileAvoiding(UpgradeBackupFile(path), path);
    RemoveWorkFile(work);
    QFile::remove(backup);
    ConvertList(source, version, work);
    Step("converted");
    if (!KeepFileAs(list, backup))
        throw EngineError(JetError::FileLocked, "The backup " + backup + " could not be made.");
    Step("kept");
    if (!ReplaceFile(work, list))
        throw EngineError(JetError::FileLocked, "The converted list could not be put in place.");
    Step("replaced");
    if (backup != UpgradeBackupFile(path))
        InfoBox("The list was converted to the current format. The original was kept as " +
                QDir::toNativeSeparators(backup) + ".");
}

// A Jet list: a Control table whose first row carries the identity mark exactly.
void UpgradeJetFile(const QString& path) {
    std::unique_ptr<JetFile> jet = JetFile::Open(path);
    if (!jet)
        return; // unreadable: the open reports the file
    QString mark;
    qint64 version = 0;
    try {
        jet->ReadRows("Control", {"Identification", "DatabaseVersion"}, 1,
                      [&](const QVariantList& values) {
                          mark = values[0].toString();
                          version = values[1].toLongLong();
                      });
    } catch (const EngineError&) {
        return; // no control row: not a list
    }
    if (mark != QLatin1String(kIdentityMark) || (version != 1 && version != 2))
        return;
    Convert(*jet, int(version), path);
}

} // namespace

QString UpgradeWorkFile(const QString& path) {
    return FolderOf(path) + "GLTmp.mdb";
}

QString UpgradeBackupFile(const QString& path) {
    return FolderOf(path) + BaseFileName(path) + ".bak";
}

void SetUpgradeStepHook(std::function<void(const char*)> hook) {
    g_stepHook = std::move(hook);
}

void UpgradeDatabase(const QString& path) {
    const FileKind kind = DetectFileKind(path);
    if (kind == FileKind::Jet) {
        UpgradeJetFile(path);
        return;
    }
    if (kind != FileKind::SQLite)
        return; // missing or another kind of file: the open reports it
    qint64 version = 0;
    {
        auto connection = Connection::Open(path, Connection::Mode::ReadOnly);
        version = connection->QueryNumber("SELECT DatabaseVersion FROM Control");
        if (version == 1) {
            SqliteListSource source(*connection);
            Convert(source, 1, path);
            return;
        }
    }
    if (version != kCurrentDatabaseVersion)
        return; // no conversion is known for this version: leave the file as it is
    // Stamping the same value again changes nothing on disk, so only a differing value is
    // written.
    Connection::Open(path)->Execute(QStringLiteral("UPDATE Control SET DatabaseVersion = %1 "
                                                   "WHERE DatabaseVersion IS NOT %1")
                                        .arg(kCurrentDatabaseVersion));
}
