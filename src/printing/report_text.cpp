#include "printing/report_text.h"

#include "printing/printer_object.h"
#include "printing/printer_values.h"

#include <QRegularExpression>

namespace {
const QRegularExpression& LineBreak() {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return lineBreak;
}

double LineHeight(const PrinterObject& printer) {
    return printer.TextHeight(QStringLiteral("M"));
}
} // namespace

bool LinesFit(const PrinterObject& printer, int n, double bottom, double y) {
    const double h = LineHeight(printer);
    if (bottom == 0)
        bottom = PageLimit();
    if (y == -1)
        y = printer.CurrentY();
    return printer.PageHeight() - y - h * n >= h + bottom;
}

void PrintAt(PrinterObject& printer, double x, const QString& text) {
    printer.SetCurrentX(x);
    printer.Print(text, false);
}

void PrintRightAligned(PrinterObject& printer, double right, const QString& text) {
    printer.SetCurrentX(right - printer.TextWidth(text));
    printer.Print(text, false);
}

QString FitToWidth(const PrinterObject& printer, const QString& text, double width) {
    int first = 0;
    int end = text.size();
    while (first < end && text.at(first) == QLatin1Char(' '))
        ++first;
    while (end > first && text.at(end - 1) == QLatin1Char(' '))
        --end;
    QString fitted = text.mid(first, end - first);
    while (!fitted.isEmpty() && printer.TextWidth(fitted) > width)
        fitted.chop(1);
    return fitted;
}

QString CutToWidth(const PrinterObject& printer, const QString& text, double width) {
    return printer.TextWidth(text) > width ? FitToWidth(printer, text, width) : text;
}

void SolidRule(PrinterObject& printer, int lineWidth, double x1, double x2) {
    printer.SetDrawWidth(lineWidth);
    printer.SetDrawStyle(LineStyle::Solid);
    const double y = printer.CurrentY();
    printer.Line(x1, y, x2, y);
    printer.SetCurrentY(y + LineHeight(printer) / 2);
    printer.SetCurrentX(0);
}

void DottedRule(PrinterObject& printer, double x1, double x2) {
    printer.SetDrawStyle(LineStyle::Dotted);
    printer.SetDrawWidth(1);
    const double y = printer.CurrentY();
    printer.Line(x1, y, x2, y);
    printer.SetCurrentY(y + LineHeight(printer) / 4);
    printer.SetDrawStyle(LineStyle::Solid);
    printer.SetCurrentX(0);
}

QString JoinLines(const QString& text) {
    QString joined = text;
    joined.replace(LineBreak(), QStringLiteral(" "));
    return joined;
}

int CountLines(const QString& text) {
    if (text.isEmpty())
        return 0;
    return text.split(LineBreak()).size();
}
