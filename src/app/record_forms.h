#pragma once

#include <QString>
#include <array>

// Conversions between what the record area shows and what the list file stores, for the
// parts that are not value formats of their own (zip and phone are).

// Multi-line text: the list file keeps CR LF between lines, text boxes show LF.
QString StoredLines(const QString& shown);
QString ShownLines(const QString& stored);
// The length shown text has once stored (each line break takes two characters).
int StoredLength(const QString& shown);
// Notes as stored: a single space for an empty box.
QString StoredNotes(const QString& shown);

// The sixteen switches: character i of the switch string is "1" when switch i is set.
using SwitchStates = std::array<bool, 16>;
bool SwitchIsSet(const QString& switches, int index);
QString SwitchString(const SwitchStates& states);
