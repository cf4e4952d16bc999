#pragma once

#include <QString>

// Starts the program itself ("lettrino --startup-benchmark", built beside the benchmarks) on
// the list, as a user would, and returns the seconds from starting the process until it has
// shown the first record and ended. The program gets its own settings folder whose current
// list is the given one. StartProgram opens the list without a filter, StartProgramFiltered
// with the benchmark's filter current (the filter's query must run before the first record
// can be shown).
double StartProgram(const QString& list);
double StartProgramFiltered(const QString& list);
