#pragma once

#include <QStringList>

// One run of the tool: reads the command line (without the program's name), opens the
// list, runs the command and returns the exit status (see ExitStatus). Messages go to
// standard error through the console dialogs, results to standard output.
int RunTool(const QStringList& arguments);
