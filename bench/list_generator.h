#pragma once

#include <QString>

// Writes a list file with the given number of synthetic US address records, made the same
// way on every run: names "Last; First", one to three address lines, nine-digit ZIP codes
// spread over the country with their cities and states, phones, e-mail addresses, codes,
// carrier routes, switches, notes, marks and import flags. The file also holds the control
// row, the sixteen switch names, two label layouts, one template and the benchmark filter
// (see kBenchFilterName), which is not made current.
void GenerateList(const QString& path, int records);

// The filter the benchmarks apply: a ZIP range, one OrSelect switch, sorted by ZIP.
extern const char* const kBenchFilterName;
