#include "app/settings.h"

#include <QSettings>
#include <optional>

const char* const kNoDatabase = "NO--DB";

namespace {
// Organisation "Tessavane" with no application name: one file, Tessavane.conf.
QSettings Store(const QString& application = QStringLiteral("Tessavane")) {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, application);
}

// The current list as this process last set it. The settings file is shared by every copy
// of the program and every command-line run; once a process has chosen its list, another
// one choosing a list meanwhile must not change the file this one goes on working on.
std::optional<QString> g_currentList;

bool IsCurrentListKey(const QString& application, const QString& section, const QString& key) {
    return application == QLatin1String("Tessavane") && section == QLatin1String("Database") &&
           key == QLatin1String("CurrentDatabase");
}
} // namespace

void ForgetCurrentListOfProcess() {
    g_currentList.reset();
}

QString GetSetting(const QString& section, const QString& key, const QString& fallback) {
    return GetApplicationSetting(QStringLiteral("Tessavane"), section, key, fallback);
}

void SaveSetting(const QString& section, const QString& key, const QString& value) {
    SaveApplicationSetting(QStringLiteral("Tessavane"), section, key, value);
}

QString GetApplicationSetting(const QString& application, const QString& section,
                              const QString& key, const QString& fallback) {
    if (g_currentList && IsCurrentListKey(application, section, key))
        return *g_currentList;
    const QVariant value = Store(application).value(section + "/" + key);
    return value.isValid() ? value.toString() : fallback;
}

void SaveApplicationSetting(const QString& application, const QString& section, const QString& key,
                            const QString& value) {
    if (IsCurrentListKey(application, section, key))
        g_currentList = value;
    QSettings store = Store(application);
    const QString name = section + "/" + key;
    const QVariant old = store.value(name);
    if (old.isValid() && old.toString() == value)
        return;
    store.setValue(name, value);
    store.sync();
}

bool GetFlagSetting(const QString& section, const QString& key) {
    return GetSetting(section, key, "False").trimmed().compare("True", Qt::CaseInsensitive) == 0;
}

void SaveFlagSetting(const QString& section, const QString& key, bool value) {
    SaveSetting(section, key, value ? "True" : "False");
}

QString CurrentListSetting(const QString& fallback) {
    return GetSetting("Database", "CurrentDatabase", fallback).trimmed();
}

void SaveCurrentListSetting(const QString& path) {
    SaveSetting("Database", "CurrentDatabase", path);
}
