#pragma once

#include <QString>

// The per-user settings store: application "Tessavane", then section and key.
// On Linux the values live in ~/.config/Tessavane.conf.
QString GetSetting(const QString& section, const QString& key, const QString& fallback);
void SaveSetting(const QString& section, const QString& key, const QString& value);

// The same store under another application name, for callers that are handed the name
// (the printer window); "Tessavane" gives the values above.
QString GetApplicationSetting(const QString& application, const QString& section,
                              const QString& key, const QString& fallback);
void SaveApplicationSetting(const QString& application, const QString& section, const QString& key,
                            const QString& value);

// A "True"/"False" setting, compared without regard to case; missing means false.
bool GetFlagSetting(const QString& section, const QString& key);
void SaveFlagSetting(const QString& section, const QString& key, bool value);

// Section "Database", key "CurrentDatabase": the current list's path, "NO--DB" for none.
// Once this process has written it, the process keeps reading its own value, whatever
// other copies of the program write into the shared file meanwhile.
extern const char* const kNoDatabase;
QString CurrentListSetting(const QString& fallback = QString::fromLatin1("NO--DB"));
void SaveCurrentListSetting(const QString& path);
// Reads the current list from the settings file again (a test starting with new settings).
void ForgetCurrentListOfProcess();
