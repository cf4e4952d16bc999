#pragma once

#include <QString>

// Import and export of delimited text on large lists. The import file is made once beside
// the generated lists: one quote-comma line of 12 fields per record (Name, Address Line 1,
// City, State, Zip Code, E-Mail Address, Phone, Attention Line, Code, Carrier Route,
// Switches, Notes with line breaks), 1,000,000 lines.
constexpr int kImportFileLines = 1000000;

// Writes the import file with that many lines, the same on every run: quote-comma lines,
// or as CSV (a header line of the items' captions, then the same records quoted only where
// needed, their notes' line breaks inside quoted fields).
void GenerateImportFile(const QString& path, int lines, bool csv = false);

// Each returns the seconds of the timed part; list is the generated list of the run's
// size, whose folder holds the import file and the work files.
//
// ImportTextFile of the whole import file into a new empty list.
double ImportQuoteCommaFile(const QString& list);
// The same records as a CSV file with a header line, its headings choosing the items.
double ImportCsvFile(const QString& list);
// The sqlite3 command-line tool loading the same file into the List table (with its index)
// of a new empty list: ".import --csv" into a staging table, then one INSERT ... SELECT
// that sets the same columns ImportTextFile sets.
double SqliteImportReference(const QString& list);
// WriteDelimitedFile of every record of the list, all fifteen standard items, quote comma.
double ExportList(const QString& list);
// The same as a mail-merge file (header line, display forms of ZIP code and phone).
double MailMergeList(const QString& list);
