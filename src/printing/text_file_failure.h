#pragma once

#include <QString>

class EngineError;

// What the user is told when the list's text file can't be written, by the error's number:
// 61 full disk, 70 locked or write-protected, a path the file system refuses as a name
// "Invalid path name: ", anything else "Reason unknown"; the path follows.
QString TextFileFailure(const EngineError& error, const QString& path);
