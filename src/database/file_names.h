#pragma once

#include <QString>

// True when the file's (or folder's) attributes can be read.
bool FileExists(const QString& path);
// The part after the last "/" or "\" in upper case; folder receives the part up to and
// including that separator (empty when there is none).
QString FileNamePart(const QString& path, QString* folder = nullptr);
// FileNamePart without its extension (the text before a last "." at position 2 or later).
QString BaseFileName(const QString& path);
