#include "database/file_replace.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
bool SyncFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void SyncFolderOf(const QString& path) {
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

QString WorkFileBeside(const QString& path, const QString& tag) {
    for (int n = 1;; ++n) {
        const QString candidate = QStringLiteral("%1.%2-%3.tmp").arg(path, tag).arg(n);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

bool ReplaceFile(const QString& finished, const QString& target) {
    if (!SyncFile(finished))
        return false;
    if (::rename(QFile::encodeName(finished).constData(), QFile::encodeName(target).constData()) !=
        0)
        return false;
    SyncFolderOf(target);
    return true;
}

bool KeepFileAs(const QString& path, const QString& keptName) {
    const QByteArray from = QFile::encodeName(path);
    const QByteArray to = QFile::encodeName(keptName);
    if (::link(from.constData(), to.constData()) == 0) {
        SyncFolderOf(keptName);
        return true;
    }
    if (errno == EEXIST)
        return false;
    // File systems without hard links: a full copy, flushed before anything else happens.
    return QFile::copy(path, keptName) && SyncFile(keptName);
}

QString FreeNameBeside(const QString& path, const QString& label) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath() + "/";
    const QString suffix = info.suffix().isEmpty() ? QString() : "." + info.suffix();
    const QString stem = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    QString candidate = folder + stem + " (" + label + ")" + suffix;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = folder + stem + QStringLiteral(" (%1 %2)").arg(label).arg(n) + suffix;
    return candidate;
}
