#pragma once

class CommandLine;

// The commands on whole lists: each returns the exit status (see ExitStatus).

// new PATH: makes a new list as "Make a New Mailing List" does.
int RunNew(const CommandLine& line);
// info: the current list's particulars, one "key: value" per line.
int RunInfo(const CommandLine& line);
// filters: one line per saved filter.
int RunFilters(const CommandLine& line);
// count: the number of records the current filter selects.
int RunCount(const CommandLine& line);
// duplicates: marks possible duplicates as the duplicate check does and prints how many
// were found.
int RunDuplicates(const CommandLine& line);
// backup [DEST]: a copy of the current list, as the backup command makes it.
int RunBackup(const CommandLine& line);
// compact: compacts the current list as the compaction command does.
int RunCompact(const CommandLine& line);
