#pragma once

class LabelRunHost;
class ListCore;
struct ListRecord;
struct ReportOptions;
class PrinterObject;

// The detailed record list: every record of the list store's current set, in the set's
// order, on the current printer in two columns per page (at x = 1000 and x = 6000 twips),
// each page under the standard report header (see ReportPages).
//
// A record is printed whole in one column: name (or "<No Name>"), address lines, the place
// line, carrier route, attention, phone, e-mail, code, the set switches' names two to a
// line and "<Marked>"/"<Imported>" (with "Show Switches"), the last-edit date and the notes
// under a dotted rule, then a blank line. Before each record its lines are estimated; a
// record that does not fit below the current one moves to the second column, or from the
// second column to a new page. A record too long for an empty page is skipped with
// "Record for <name> is too long for the page. Skipping.".
//
// The host shows "Stop Printing" during the run and gets the user interface's turn before
// every record; a stop request is honoured when a new page is due (the document is thrown
// away). With stop-between-sheets each page is a document of its own and "Continue
// Printing?" is asked before the next; "Cancel" keeps the pages printed so far.
// Nothing is printed for an empty set or while no printer font has been chosen ("You must
// define a printer and a font.").
void PrintRecordList(ListCore& records, LabelRunHost& host, const ReportOptions& options);

// The lines the record list reckons a record needs, at the printer's current font (the
// notes are measured at 10 points in the 4500-twip column).
int EstimateRecordLines(PrinterObject& printer, const ListRecord& record);
