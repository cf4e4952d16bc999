#pragma once

#include <QString>

// Makes an empty list file with the full schema at the path, replacing a file that is
// there (the new file is written completely before it takes the old one's place). Refuses
// the current list's own path with a message; any other failure returns false silently.
bool CreateNewDatabase(const QString& path);

// Makes an empty list file with the full schema at a path where no file is; throws
// EngineError on failure.
void WriteEmptyList(const QString& path);

// True when path names the current list's file, however it is spelled (links, "..",
// another mount of its folder).
bool IsCurrentListFile(const QString& path);

// True (after telling the user "Can't overwrite the current database") when path names the
// current list's file.
bool RefuseCurrentListPath(const QString& path);

// The text of that refusal.
extern const char* const kCantOverwriteCurrentList;
