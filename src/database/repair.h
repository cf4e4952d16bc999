#pragma once

#include <QString>

// Salvages every readable row of every list table of a damaged list file into a fresh file
// with the full schema, keeps the damaged original beside the list under a new name, and
// puts the salvaged file in its place. A file with no readable control row carrying the
// identity mark is not a list that can be salvaged: it stays exactly as it was and the
// result is false. keptAs receives the name the damaged original now has.
bool RepairListFile(const QString& path, QString* keptAs = nullptr);
