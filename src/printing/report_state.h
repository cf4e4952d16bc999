#pragma once

class PrinterObject;
class QDateTime;

// The state of the printed report under way: when it started (printed in every page
// header) and how many pages it has begun.

// The start of a report. True when a printer font has been chosen; the report's start time
// is then now, its page counter 0, and a print run begins on the printer. Otherwise tells
// the user "You must define a printer and a font." and returns false.
bool BeginReport(PrinterObject& printer);

QDateTime ReportStartTime();
int ReportPageCounter();
// Counts one more page begun in the report and returns the new count.
int NextReportPage();
