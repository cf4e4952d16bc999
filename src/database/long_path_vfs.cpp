#include "database/long_path_vfs.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QMutex>
#include <cstring>
#include <sqlite3.h>
#include <unistd.h>

namespace {

constexpr int kLongestPath = 4096;
// Paths up to this length go the engine's own way (with room for "-journal" and the like).
constexpr int kShortPath = 400;

sqlite3_vfs* g_system = nullptr;
sqlite3_vfs g_vfs;

// The short names given so far, folder by folder, and the folder that holds their links.
QMutex g_mutex;
QMap<QString, QString> g_aliases;
QByteArray g_aliasRoot;

void RemoveAliases() {
    for (const QString& alias : std::as_const(g_aliases))
        QFile::remove(alias);
    if (!g_aliasRoot.isEmpty())
        ::rmdir(g_aliasRoot.constData());
}

// A short path that names the same file as path (through a link to its folder); empty
// when none can be made.
QString ShortAlias(const QString& path) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const QMutexLocker lock(&g_mutex);
    if (g_aliasRoot.isEmpty()) {
        QByteArray pattern = QFile::encodeName(QDir::tempPath() + "/lettrino-XXXXXX");
        if (!::mkdtemp(pattern.data()))
            return QString();
        g_aliasRoot = pattern;
        std::atexit(RemoveAliases);
    }
    QString alias = g_aliases.value(folder);
    if (alias.isEmpty()) {
        alias = QFile::decodeName(g_aliasRoot) + "/" + QString::number(g_aliases.size() + 1);
        if (!QFile::link(folder, alias))
            return QString();
        g_aliases.insert(folder, alias);
    }
    return alias + "/" + info.fileName();
}

int FullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    if (int(std::strlen(name)) < kShortPath)
        return g_system->xFullPathname(g_system, name, size, out);
    const QByteArray alias = QFile::encodeName(ShortAlias(QFile::decodeName(name)));
    if (alias.isEmpty() || alias.size() >= kShortPath || alias.size() >= size)
        return SQLITE_CANTOPEN;
    std::memcpy(out, alias.constData(), size_t(alias.size()) + 1);
    return SQLITE_OK;
}

int Open(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    return g_system->xOpen(g_system, name, file, flags, outFlags);
}

int Delete(sqlite3_vfs*, const char* name, int syncFolder) {
    return g_system->xDelete(g_system, name, syncFolder);
}

int Access(sqlite3_vfs*, const char* name, int flags, int* result) {
    return g_system->xAccess(g_system, name, flags, result);
}

} // namespace

bool UseLongPathFileSystem() {
    sqlite3_initialize();
    g_system = sqlite3_vfs_find(nullptr);
    if (!g_system || g_system->mxPathname >= kLongestPath)
        return false;
    // Everything else is the system's file system as it is.
    g_vfs = *g_system;
    g_vfs.pNext = nullptr;
    g_vfs.zName = "lettrino-long-paths";
    g_vfs.mxPathname = kLongestPath;
    g_vfs.xFullPathname = FullPathname;
    g_vfs.xOpen = Open;
    g_vfs.xDelete = Delete;
    g_vfs.xAccess = Access;
    return sqlite3_vfs_register(&g_vfs, 1) == SQLITE_OK;
}
