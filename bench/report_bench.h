#pragma once

#include <QString>

// Benchmarks of the list reports and the grid, each on the whole list.

// Prints the record list (no filter, name order) to the "PDF file" printer and returns the
// seconds the run took. Tells the pages and the size of the PDF on the error stream.
double PrintRecordListToPdf(const QString& list);
// Writes the list as the fixed-column text file and returns the seconds it took.
double WriteListTextFile(const QString& list);
// Opens the grid's rows on a filter that selects every record, sorted by ZIP code (made in
// the list when it is not there yet), and returns the seconds until the first rows can be
// shown.
double OpenGridOnWholeList(const QString& list);
