#pragma once

class CommandLine;

// Checks the values of the options before anything is opened: kExitDone, or the usage
// error's status after telling it.
int CheckTransferOptions(const CommandLine& line);
// import FILE: adds the lines of a delimited text file to the list, as the import window
// does. Returns the exit status (see ExitStatus).
int RunImport(const CommandLine& line);
// export FILE: writes the records of the current filter as delimited text or as a
// mail-merge data file, as the export window does.
int RunExport(const CommandLine& line);
