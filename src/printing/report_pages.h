#pragma once

#include <QString>

class LabelRunHost;
class PrinterObject;

// What the header of every report page names besides the date, time and page.
struct ReportHeading {
    QString listName;   // the current list file's path
    QString filterPart; // "No filter" or "Filter: " + the filter's name
    QString sortPart;   // "Sorted By: " + the name of the filter's sort order
};

// The heading for the current list and its current filter (the list's path from the
// settings, the filter's name and sort order from the list file).
ReportHeading CurrentReportHeading();

// The pages of one printed report. Each page starts with the standard header:
//   "LETTRINO" (12 points), the report's start date and time (8 points), "Page  12" at the
//   right edge (12 points); "Mailing List: " + the list's path; the filter part and, at the
//   right edge, the sort part; a solid rule across the page.
// The font size in use before the header is restored after it.
class ReportPages {
public:
    ReportPages(PrinterObject& printer, LabelRunHost& host, const ReportHeading& heading,
                bool stopBetweenSheets);

    // Begins the next page with its header. A page after the first is a new page, or, when
    // stopping between sheets, a new document after the finished one has been handed to the
    // printer and the user has been asked whether to go on: "Cancel" makes this return false
    // (and Cancelled() true) without a header; "Print All" stops asking.
    bool StartReportPage();

    bool Cancelled() const { return m_cancelled; }
    bool StopBetweenSheets() const { return m_stopBetweenSheets; }
    // The right edge of the printed line (8 inches).
    static constexpr double kRightEdge = 11520;

private:
    bool NextSheet();
    void PrintHeader();

    PrinterObject& m_printer;
    LabelRunHost& m_host;
    ReportHeading m_heading;
    bool m_stopBetweenSheets;
    bool m_begun = false;
    bool m_cancelled = false;
};
