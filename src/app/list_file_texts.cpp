#include "app/list_file_texts.h"

#include "app/settings.h"
#include "database/engine_error.h"
#include "database/file_names.h"
#include "database/list_file_operations.h"

#include <QDir>

QString DefaultBackupFolder() {
    return QDir::homePath() + QLatin1Char('/');
}

QString BackupFolderSetting() {
    const QString folder =
        GetSetting(QStringLiteral("Database"), QStringLiteral("BackPath"), QString()).trimmed();
    return folder.isEmpty() ? DefaultBackupFolder() : folder;
}

QString BackupFolderEntry(const QString& typed) {
    const QString folder = typed.trimmed();
    if (folder.isEmpty())
        return QString();
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

QString BackupProposal(const QString& backupFolder, const QString& listPath) {
    return backupFolder + FileNamePart(listPath);
}

QString BackupFailureText(const EngineError& error) {
    switch (error.Number()) {
    case JetError::DiskFull:
        return QStringLiteral("Not enough space on the destination disk");
    case JetError::FileLocked:
        return QStringLiteral("File is locked or write protected");
    default:
        return QStringLiteral("Couldn't copy the mailing list. Reason unknown.");
    }
}

QString CompactDoneText(const QString& path, const QString& keptAs) {
    const QString done = QStringLiteral("Compacting complete.");
    if (keptAs == CompactBackupFile(path))
        return done;
    return done + "\nThe previous version was kept as " + QDir::toNativeSeparators(keptAs) + ".";
}

QString CompactFailureText(const EngineError& error) {
    switch (error.Number()) {
    case JetError::DiskFull:
        return QStringLiteral("Disk drive is full. Can't compact.");
    case JetError::FileLocked:
        return QStringLiteral("File is locked by another process. Can't compact.");
    case JetError::ReadOnly:
        return QStringLiteral("File is locked or write protected");
    default:
        return QStringLiteral("Couldn't write to the hard drive. ") +
               QString::number(error.Number()) + QLatin1Char(' ') + error.Description();
    }
}
