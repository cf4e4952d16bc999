#include "database/file_names.h"

#include <QFileInfo>

bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(path);
}

QString FileNamePart(const QString& path, QString* folder) {
    int n = path.size();
    while (n > 0 && path.at(n - 1) != QLatin1Char('/') && path.at(n - 1) != QLatin1Char('\\'))
        --n;
    if (folder)
        *folder = path.left(n);
    return path.mid(n).toUpper();
}

QString BaseFileName(const QString& path) {
    const QString name = FileNamePart(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 1 ? name.left(dot) : name;
}
