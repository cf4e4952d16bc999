#include "database/list_file_operations.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/file_identity.h"
#include "database/file_replace.h"
#include "database/statement.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

EngineError FromErrno(int error, const QString& what) {
    const QString description = what + ": " + QString::fromLocal8Bit(std::strerror(error));
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return EngineError(JetError::DiskFull, description);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EBUSY:
        return EngineError(JetError::FileLocked, description);
    default:
        return EngineError(error, description);
    }
}

// Copies a file byte for byte and flushes the copy to disk.
void CopyFile(const QString& from, const QString& to) {
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        throw FromErrno(errno, "Can't read " + from);
    const int out =
        ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        throw FromErrno(error, "Can't write " + to);
    }
    char buffer[1 << 16];
    int error = 0;
    while (error == 0) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0) {
            error = errno == EINTR ? 0 : errno;
            continue;
        }
        if (got == 0)
            break;
        for (ssize_t done = 0; done < got && error == 0;) {
            const ssize_t put = ::write(out, buffer + done, size_t(got - done));
            if (put < 0)
                error = errno == EINTR ? 0 : errno;
            else
                done += put;
        }
    }
    if (error == 0 && ::fsync(out) != 0)
        error = errno;
    if (::close(out) != 0 && error == 0)
        error = errno;
    ::close(in);
    if (error != 0)
        throw FromErrno(error, "Can't write " + to);
}

// Holds a read lock on the list while it is copied byte for byte: no other copy of the
// program can be writing pages into it meanwhile, and a journal left by a crash has been
// played back first, so the copy is a consistent list. A file the engine can't read as a
// list (a damaged one) is copied as it is. (The copy's closing of its own descriptor ends
// the lock early; by then every byte has been read.)
std::unique_ptr<Connection> HoldReadLock(const QString& path) {
    try {
        auto reader = Connection::Open(path, Connection::Mode::ReadWrite);
        reader->Execute("BEGIN");
        reader->QueryNumber("SELECT count(*) FROM sqlite_master");
        return reader;
    } catch (const EngineError& error) {
        if (error.Number() == JetError::FileLocked)
            throw;
        return nullptr;
    }
}

// True when the list's pages pass the engine's quick check (read under the lock held).
bool PassesQuickCheck(Connection& list) {
    try {
        return list.QueryText("PRAGMA quick_check") == QLatin1String("ok");
    } catch (const EngineError& error) {
        if (error.Number() == JetError::FileLocked)
            throw;
        return false;
    }
}

std::function<void(const char*)> g_compactionHook;

struct stat FileStatus(const QString& path) {
    struct stat status = {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

} // namespace

void BackupListFile(const QString& source, const QString& target) {
    RemoveStaleWorkFiles(target, "backup");
    const QString work = WorkFileBeside(target, "backup");
    try {
        const std::unique_ptr<Connection> lock = HoldReadLock(source);
        // An older backup is the user's last good copy: a damaged list never replaces it.
        if (QFileInfo::exists(target) && (!lock || !PassesQuickCheck(*lock)))
            throw EngineError(JetError::Damaged,
                              "The list is damaged; the backup " + target + " was kept.");
        CopyFile(source, work);
        if (!ReplaceFile(work, target))
            throw FromErrno(errno, "Can't put the copy at " + target);
    } catch (const EngineError&) {
        RemoveWorkFile(work);
        throw;
    }
}

QString CompactWorkFile(const QString& path) {
    return WorkFileBeside(FileBehindLink(path), "compact");
}

QString CompactBackupFile(const QString& path) {
    return path.left(path.size() - 3) + "BAK";
}

void SetCompactionStepHook(std::function<void(const char*)> hook) {
    g_compactionHook = std::move(hook);
}

QString CompactListFile(const QString& path) {
    // Through a symbolic link the link's target is compacted and replaced; the link stays.
    const QString list = FileBehindLink(path);
    RemoveStaleWorkFiles(list, "compact");
    const QString work = CompactWorkFile(path);
    // The previous version's name, unless that is the list itself (a list named "x.BAK").
    const QString backup = SideFileAvoiding(CompactBackupFile(path), path);
    try {
        // The write lock is held from the rewriting to the last rename, so that another
        // copy of the program can't be in the middle of changing the list meanwhile: its
        // change would land in the previous version. It waits, or is told the file is
        // locked; a change it starts after the renames is refused by the engine, because
        // the file it holds open is no longer the one at the list's path. A compaction that
        // waited for another one finds the file replaced and starts again on the new one.
        std::unique_ptr<Connection> guard;
        std::unique_ptr<Transaction> writeLock;
        for (int attempt = 0;; ++attempt) {
            const struct stat opened = FileStatus(list);
            guard = Connection::Open(list, Connection::Mode::ReadWrite);
            if (guard->IsReadOnly() || FolderRefusesWriting(list))
                throw EngineError(JetError::ReadOnly, "The list is write-protected: " + path);
            writeLock = std::make_unique<Transaction>(*guard);
            const struct stat locked = FileStatus(list);
            if ((locked.st_dev == opened.st_dev && locked.st_ino == opened.st_ino) || attempt > 8)
                break;
            writeLock.reset();
            guard.reset();
        }
        {
            auto connection = Connection::Open(list, Connection::Mode::ReadOnly);
            Statement vacuum = connection->Prepare("VACUUM INTO ?");
            vacuum.Bind(1, work).Run();
        }
        if (g_compactionHook)
            g_compactionHook("compacted");
        QFile::remove(backup);
        // A real copy of the list's contents, never a second link to a link.
        if (!KeepFileAs(list, backup))
            throw FromErrno(errno, "Can't keep the previous version as " + backup);
        if (!ReplaceFile(work, list))
            throw FromErrno(errno, "Can't put the compacted list at " + path);
    } catch (const EngineError&) {
        RemoveWorkFile(work);
        throw;
    }
    return backup;
}
