#pragma once

#include <QString>

// What a path holds, told from the file's first bytes without opening it in an engine.
enum class FileKind { Missing, Folder, Empty, SQLite, Jet, Other };

FileKind DetectFileKind(const QString& path);

// A SQLite file whose header promises more pages than the file holds has lost its end.
bool IsTruncatedSQLiteFile(const QString& path);
