#include "printing/report_pages.h"

#include "app/settings.h"
#include "app/value_formats.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "printing/label_run_host.h"
#include "printing/printer_object.h"
#include "printing/printer_values.h"
#include "printing/report_state.h"
#include "printing/report_text.h"

#include <QDateTime>
#include <QLocale>

ReportHeading CurrentReportHeading() {
    ReportHeading heading;
    heading.listName = CurrentListSetting().trimmed();
    heading.filterPart = QStringLiteral("No filter");
    heading.sortPart = QStringLiteral("Sorted By: Name");
    const qint64 filterId = ControlCore().CurrentFilter();
    if (filterId != 0) {
        FilterCore filters;
        filters.SetID(filterId);
        if (filters.ID() == filterId) {
            heading.filterPart = QStringLiteral("Filter: ") + filters.FilterName();
            heading.sortPart = QStringLiteral("Sorted By: ") + SequenceName(filters.Sequence());
        }
    }
    return heading;
}

ReportPages::ReportPages(PrinterObject& printer, LabelRunHost& host, const ReportHeading& heading,
                         bool stopBetweenSheets)
    : m_printer(printer), m_host(host), m_heading(heading), m_stopBetweenSheets(stopBetweenSheets) {
}

bool ReportPages::StartReportPage() {
    if (m_cancelled)
        return false;
    if (m_begun && !NextSheet())
        return false;
    m_begun = true;
    PrintHeader();
    return true;
}

bool ReportPages::NextSheet() {
    if (!m_stopBetweenSheets) {
        m_printer.NewPage();
        return true;
    }
    // The finished page prints while the user decides.
    m_printer.EndDoc();
    m_host.SetBusy(false);
    const ContinueDecision decision = m_host.AskContinue();
    m_host.RunFinished(); // the question window goes
    switch (decision) {
    case kCancelPrinting:
        m_cancelled = true;
        return false;
    case kPrintAll:
        m_stopBetweenSheets = false;
        m_host.ClearStopBetweenSheets();
        break;
    case kNextPage:
        break;
    }
    m_host.SetBusy(true);
    return true;
}

void ReportPages::PrintHeader() {
    const QString pageText = QStringLiteral("Page %1").arg(NextReportPage(), 3);
    const QDateTime start = ReportStartTime();
    SetupPrinterFont(m_printer);
    const double fontSize = m_printer.FontSize();

    m_printer.SetFontSize(12);
    m_printer.Print(QStringLiteral("LETTRINO"), false);
    m_printer.SetFontSize(8);
    m_printer.SetCurrentX(m_printer.CurrentX() + 800);
    m_printer.Print(QLocale().toString(start.date(), QLocale::LongFormat), false);
    m_printer.SetCurrentX(m_printer.CurrentX() + 800);
    m_printer.Print(QLocale::c().toString(start.time(), QStringLiteral("h:mm ap")), false);
    m_printer.SetFontSize(12);
    PrintRightAligned(m_printer, kRightEdge, pageText);
    m_printer.Print(QString());

    // The list's path has a line of its own, so that a long path never runs into the
    // filter and sort parts.
    // Long names are cut so that nothing runs off the page or into the sort part.
    PrintAt(
        m_printer, 0,
        CutToWidth(m_printer, QStringLiteral("Mailing List: ") + m_heading.listName, kRightEdge));
    m_printer.Print(QString());
    const QString gap = QStringLiteral("     ");
    const double sortWidth = m_printer.TextWidth(m_heading.sortPart);
    PrintAt(m_printer, 0,
            CutToWidth(m_printer, m_heading.filterPart,
                       kRightEdge - sortWidth - m_printer.TextWidth(gap)) +
                gap);
    PrintRightAligned(m_printer, kRightEdge, m_heading.sortPart);
    m_printer.Print(QString());
    SolidRule(m_printer, 5, 0, kRightEdge);

    m_printer.SetFontSize(fontSize);
}
