#include "database/damage_notes.h"

#include "app/settings.h"
#include "database/file_identity.h"

#include <QMutex>
#include <QStringList>
#include <utility>

namespace {
QMutex g_mutex;
QStringList g_damaged;
std::function<void()> g_handler;
} // namespace

void NoteDamage(const QString& path) {
    {
        const QMutexLocker lock(&g_mutex);
        if (!g_damaged.contains(path))
            g_damaged << path;
    }
    if (g_handler)
        g_handler();
}

QString TakeDamagedCurrentList() {
    QStringList damaged;
    {
        const QMutexLocker lock(&g_mutex);
        damaged.swap(g_damaged);
    }
    const QString current = CurrentListSetting();
    for (const QString& path : damaged)
        if (SameFile(path, current))
            return current;
    return QString();
}

void ForgetDamage() {
    const QMutexLocker lock(&g_mutex);
    g_damaged.clear();
}

void SetDamageHandler(std::function<void()> handler) {
    g_handler = std::move(handler);
}
