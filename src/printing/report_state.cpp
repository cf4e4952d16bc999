#include "printing/report_state.h"

#include "app/clock.h"
#include "app/messages.h"
#include "printing/printer_object.h"
#include "printing/printer_values.h"

#include <QDateTime>

namespace {
QDateTime g_startTime;
int g_pageCounter = 0;
} // namespace

bool BeginReport(PrinterObject& printer) {
    if (PrinterFontName().isEmpty()) {
        InfoBox(QStringLiteral("You must define a printer and a font."));
        return false;
    }
    g_startTime = CurrentDateTime();
    g_pageCounter = 0;
    printer.BeginRun(QStringLiteral("report"));
    return true;
}

QDateTime ReportStartTime() {
    return g_startTime;
}

int ReportPageCounter() {
    return g_pageCounter;
}

int NextReportPage() {
    return ++g_pageCounter;
}
