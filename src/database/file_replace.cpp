#include "database/file_replace.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/file_kind.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The files the engine keeps beside a database while it writes it.
const char* const kJournalSuffixes[] = {"-journal", "-wal"};
const char* const kAllSuffixes[] = {"-journal", "-wal", "-shm"};

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

bool HasJournal(const QString& path) {
    for (const char* suffix : kJournalSuffixes)
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            return true;
    return false;
}

// True when another process holds one of the engine's locks on the file, which it does
// for as long as it is inside a transaction (its journal is then live, not left over).
// The engine locks bytes from 2^30 on: the pending byte, the reserved byte and the
// shared range.
bool LockedByAnotherProcess(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0x40000000;
    lock.l_len = 512 + 2;
    const bool locked = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    // Closing a descriptor drops this process's own locks on the file; the caller holds
    // none on a file it is about to replace.
    ::close(fd);
    return locked;
}

// Before a file is replaced: a journal beside it is the old file's. Where the old file is
// a database the engine can write, opening it plays a hot journal back into it (the old
// contents, which may live on under a kept name, become consistent) and folds a log into
// it. What is left then either belongs to a process writing the file right now (refused)
// or to a file that is no longer there, and is removed so that the new file never sees it.
bool SettleJournalOf(const QString& target) {
    if (!HasJournal(target))
        return true;
    if (DetectFileKind(target) == FileKind::SQLite) {
        try {
            Connection::Open(target, Connection::Mode::ReadWrite);
        } catch (const EngineError&) {
            // Busy, damaged or write-protected: what remains is dealt with below.
        }
    }
    if (!HasJournal(target))
        return true;
    if (LockedByAnotherProcess(target)) {
        errno = EBUSY;
        return false;
    }
    for (const char* suffix : kAllSuffixes) {
        const QString journal = target + QLatin1String(suffix);
        if (QFileInfo::exists(journal) && !QFile::remove(journal)) {
            errno = EACCES;
            return false;
        }
    }
    SyncFolderOf(target);
    return true;
}

bool AnyExists(const QString& path) {
    if (QFileInfo::exists(path))
        return true;
    for (const char* suffix : kAllSuffixes)
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            return true;
    return false;
}

} // namespace

QString WorkFileBeside(const QString& path, const QString& tag) {
    const qint64 process = ::getpid();
    for (int n = 1;; ++n) {
        const QString candidate =
            QStringLiteral("%1.%2-%3-%4.tmp").arg(path, tag).arg(process).arg(n);
        if (!AnyExists(candidate))
            return candidate;
    }
}

void RemoveStaleWorkFiles(const QString& path, const QString& tag) {
    const QFileInfo info(path);
    const QString prefix = info.fileName() + "." + tag + "-";
    const QRegularExpression name("^" + QRegularExpression::escape(prefix) +
                                  "([0-9]+)-[0-9]+\\.tmp$");
    const QDir folder = info.absoluteDir();
    for (const QString& entry : folder.entryList({QStringLiteral("*.tmp")}, QDir::Files)) {
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch())
            continue;
        const pid_t process = pid_t(match.captured(1).toLongLong());
        // A process that is gone can't be writing its work file any more.
        if (process != ::getpid() && ::kill(process, 0) != 0 && errno == ESRCH)
            RemoveWorkFile(folder.filePath(entry));
    }
}

bool ReplaceFile(const QString& finished, const QString& target) {
    if (!SyncFile(finished))
        return false;
    if (!SettleJournalOf(target))
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

void RemoveWorkFile(const QString& path) {
    QFile::remove(path);
    for (const char* suffix : kAllSuffixes)
        QFile::remove(path + QLatin1String(suffix));
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
