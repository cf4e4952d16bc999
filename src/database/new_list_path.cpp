#include "database/new_list_path.h"

#include "app/settings.h"
#include "database/engine_error.h"

#include <QDir>
#include <QFileInfo>

QString NewListCurrentPath() {
    return GetSetting(QStringLiteral("Database"), QStringLiteral("CurrentDatabase"), QString())
        .trimmed();
}

QString NewListFileName(const QString& chosen) {
    if (QFileInfo(chosen).suffix().isEmpty())
        return chosen + ".mdb";
    return chosen;
}

bool ValidTargetPath(const QString& path) {
    const QFileInfo target(path);
    return target.absoluteDir().exists() && !target.isDir();
}

QString NewListFailureText(int number) {
    switch (number) {
    case JetError::DiskFull:
        return QStringLiteral("Not enough space on the destination disk");
    case JetError::FileLocked:
        return QStringLiteral("File is locked or write protected");
    default:
        return QStringLiteral("Couldn't create the mailing list. Reason unknown.");
    }
}
