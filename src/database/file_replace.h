#pragma once

#include <QString>

// A free file name beside path for work in progress ("<path>.<tag>-<n>.tmp").
QString WorkFileBeside(const QString& path, const QString& tag);

// Flushes the finished file to disk and renames it over target in one step, so that the
// target path always holds a complete file. False when that fails (the new file stays).
bool ReplaceFile(const QString& finished, const QString& target);

// Keeps a second name for the file at path (a hard link, or a copy where links are not
// possible), so that a later ReplaceFile never leaves the old contents without a name.
bool KeepFileAs(const QString& path, const QString& keptName);

// A name beside path that no file has yet: "<folder>/<stem> (<label>).<ext>", numbered
// when that is taken.
QString FreeNameBeside(const QString& path, const QString& label);
