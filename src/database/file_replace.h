#pragma once

#include <QString>

// A free file name beside path for work in progress ("<path>.<tag>-<process>-<n>.tmp",
// with this process's number, so that two processes never share one); neither the name nor
// a journal of that name exists yet.
QString WorkFileBeside(const QString& path, const QString& tag);

// Removes the work files beside path of that tag that processes no longer running left
// behind (killed in the middle of their work); those of running processes stay.
void RemoveStaleWorkFiles(const QString& path, const QString& tag);

// Flushes the finished file to disk and renames it over target in one step, so that the
// target path always holds a complete file. A rollback journal or write-ahead log left
// beside the target belongs to the file being replaced and must never be played into the
// new one: the old file is first brought to a consistent state where the engine can do
// that, and a journal that is left over is removed. False when another process is in the
// middle of writing the target, or when the rename fails (the new file stays).
bool ReplaceFile(const QString& finished, const QString& target);

// Keeps a second name for the file at path (a hard link, or a copy where links are not
// possible), so that a later ReplaceFile never leaves the old contents without a name.
bool KeepFileAs(const QString& path, const QString& keptName);

// Removes a work file together with any journal the engine left beside it.
void RemoveWorkFile(const QString& path);

// A name beside path that no file has yet: "<folder>/<stem> (<label>).<ext>", numbered
// when that is taken.
QString FreeNameBeside(const QString& path, const QString& label);
