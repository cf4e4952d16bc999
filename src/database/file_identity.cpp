#include "database/file_identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

// The path with its folder resolved through links (the file name itself kept).
QString ResolvedPath(const QString& path) {
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? QDir::cleanPath(info.absolutePath()) : folder) + "/" +
           info.fileName();
}

} // namespace

bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat first = {};
    struct stat second = {};
    const bool firstExists = ::stat(QFile::encodeName(a).constData(), &first) == 0;
    const bool secondExists = ::stat(QFile::encodeName(b).constData(), &second) == 0;
    if (firstExists && secondExists)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    if (firstExists != secondExists)
        return false;
    return ResolvedPath(a) == ResolvedPath(b);
}

QString FileBehindLink(const QString& path) {
    const QFileInfo info(path);
    return info.isSymLink() && !info.canonicalFilePath().isEmpty() ? info.canonicalFilePath()
                                                                   : path;
}

QString SideFileAvoiding(const QString& preferred, const QString& keep) {
    // The side file is removed or renamed over, which acts on its own entry: only the entry
    // of the list itself (or the link's target, when the side name is a link) must be
    // avoided. Another hard link to the list's contents may go, the list keeps its own.
    const QString list = QFileInfo(keep).canonicalFilePath();
    const QString target = QFileInfo(preferred).canonicalFilePath();
    const bool isList = ResolvedPath(preferred) == ResolvedPath(keep) ||
                        (!list.isEmpty() && (ResolvedPath(preferred) == list || target == list));
    if (!isList)
        return preferred;
    const QFileInfo info(preferred);
    const QString folder = preferred.left(preferred.size() - info.fileName().size());
    const QString suffix = info.suffix().isEmpty() ? QString() : "." + info.suffix();
    const QString stem = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    for (int n = 2;; ++n) {
        const QString candidate = folder + stem + QStringLiteral("-%1").arg(n) + suffix;
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}
