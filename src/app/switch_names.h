#pragma once

#include <QString>
#include <array>

// The captions of the sixteen switches of the current list, program-wide: entry i names
// switch i (row i + 1 of the list's SwitchNames table).
using SwitchNameArray = std::array<QString, 16>;
const SwitchNameArray& SwitchNames();

// Reads the sixteen names from the current list into SwitchNames(). Does nothing when the
// list cannot be opened (the user has been told why); rows missing from the table leave
// their entries empty.
void LoadSwitchNames();

// Renames switch index (0-15) in SwitchNames() only; the list file keeps its names until
// SaveSwitchNames.
void SetSwitchName(int index, const QString& name);
// Writes SwitchNames() into the current list, row by row in switch order. A table with
// fewer than sixteen rows takes the names it has rows for.
void SaveSwitchNames();
