#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class ListCore;
struct ListRecord;

// The record list as a plain text file in fixed columns: every record of the list store's
// current set, in the set's order, takes a few lines followed by an empty one:
//   column 1: the name turned round ("First Last"); a name longer than 33 characters
//             that holds a space is split at its last space, the rest starting the next
//             line; each piece cut to 34 characters;
//   column 35: the address lines and then the place line (city, state, zip), each cut to
//             34 characters;
//   column 70: the phone on the first line, the e-mail (cut to 100 characters) on the
//             line of the second address line, or of the place line when the address has
//             fewer than two lines.
// Going to a column that the line has already passed starts a new line. Spaces at the end
// of a line are left out. Lines end in CR LF; the text is UTF-8.

// The lines of one record, the empty line after it included.
QStringList RecordTextLines(const ListRecord& record);

// Told after every record how many have been written, and now and then while the records
// are read before the first is written (a window lets its user interface have a turn there).
using TextFileProgress = std::function<void(qint64 written)>;

// Writes the file anew (the target is replaced only when the whole file has been written).
// Returns the number of records written; throws EngineError when the file can't be written
// (61 full disk, 70 locked or write-protected, another number otherwise), leaving the
// target as it was.
qint64 WriteRecordTextFile(const QString& path, ListCore& records,
                           const TextFileProgress& progress = {});
