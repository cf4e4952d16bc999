#pragma once

#include <QString>

class LabelRunHost;
class ListCore;
class PrinterObject;
struct ListRecord;
struct ReportOptions;

// The summary list: one line per record of the list store's current set, in the set's
// order, on the current printer: the name cut to 2800 twips at x = 0, the summary address
// cut to 7000 twips at x = 3000 and the phone ending at the right edge (x = 11520), under
// the standard report header and the column titles "Name", "Address" and "Phone Number".
//
// The host shows "Stop Printing" during the run and gets the user interface's turn after
// every record; a stop request is honoured at the next page (the document is thrown away).
// With stop-between-sheets every page is a document of its own and "Continue Printing?"
// is asked before the next. Nothing is printed for an empty set or while no printer font
// has been chosen.
void PrintSummaryList(ListCore& records, LabelRunHost& host, const ReportOptions& options);

// The address column of a record: the address as one line, two spaces, then city, state
// and zip, cut to 7000 twips at the printer's current font.
QString SummaryAddress(const PrinterObject& printer, const ListRecord& record);
