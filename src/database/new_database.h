#pragma once

#include <QString>

// Makes an empty list file with the full schema at the path, replacing a file that is
// there (the new file is written completely before it takes the old one's place). Refuses
// the current list's own path with a message; any other failure returns false silently.
bool CreateNewDatabase(const QString& path);
