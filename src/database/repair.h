#pragma once

#include <QString>

// Salvages every readable row of every list table of a damaged list file into a fresh file
// with the full schema, keeps the damaged original beside the list under a new name, and
// puts the salvaged file in its place. A file with no readable control row carrying the
// identity mark is not a list that can be salvaged: it stays exactly as it was and the
// result is false. keptAs receives the name the damaged original now has.
bool RepairListFile(const QString& path, QString* keptAs = nullptr);

// What the program does with a list found damaged (at its opening or in the middle of any
// work): tells the user "The database may be corrupt. Click OK to attempt recovery",
// repairs the file (no store may hold it open) and tells where the damaged original was
// kept, or that it can't be repaired. True when the list was repaired.
bool RepairDamagedList(const QString& path);
