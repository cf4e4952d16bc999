#pragma once

#include <QString>

// The batch tool end to end: starts lettrino-cli (built beside the benchmarks) on the list
// as a script would and returns the seconds until it has ended, or -1 when it failed. The
// tool gets its own settings folder. CliExportList exports every record (the fifteen
// standard items, quote comma); CliLabels prints labels of every record to a PDF file
// (Avery 5160, nine-digit bars), the work of the window benchmarks "export" and "labels".
double CliExportList(const QString& list);
double CliLabels(const QString& list);
