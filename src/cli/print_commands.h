#pragma once

class CommandLine;

// Checks the values of the label options before anything is opened: kExitDone, or the
// usage error's status after telling it.
int CheckLabelOptions(const CommandLine& line);
// labels OUT.pdf: prints mailing labels for the records of the current filter to a PDF
// file, as the label window prints them. Returns the exit status (see ExitStatus).
int RunLabels(const CommandLine& line);

// report OUT --kind KIND: the record list or the summary list as a PDF file, or the list
// as a text file, as the list window makes them.
int RunReport(const CommandLine& line);

// products [SEARCH]: the label products there are, one per line, with their description,
// label size, labels per sheet and paper, separated by tabs.
int RunProducts(const CommandLine& line);
