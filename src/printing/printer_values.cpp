#include "printing/printer_values.h"

#include "printing/printer_object.h"

#include <QRegularExpression>
#include <climits>
#include <cmath>

namespace {
QString g_fontName;
int g_pageLimit = kDefaultPageLimit;
} // namespace

QString PrinterFontName() {
    return g_fontName;
}

void SetPrinterFontName(const QString& name) {
    g_fontName = name;
}

int PageLimit() {
    return g_pageLimit;
}

void SetPageLimit(int twips) {
    g_pageLimit = twips;
}

int PageLimitValue(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?)(\\d*)(?:\\.(\\d*))?"));
    const QRegularExpressionMatch match = number.match(text);
    const QString whole = match.captured(2);
    const QString fraction = match.captured(3);
    if (whole.isEmpty() && fraction.isEmpty())
        return 0;
    if (match.captured(1) == QLatin1String("-"))
        return 0;
    const double value = (whole.isEmpty() ? QStringLiteral("0") : whole).toDouble() +
                         (fraction.isEmpty() ? 0.0 : ("0." + fraction).toDouble());
    if (value >= INT_MAX)
        return INT_MAX;
    return static_cast<int>(std::lround(value));
}

void SetupPrinterFont(PrinterObject& printer) {
    if (!g_fontName.isEmpty())
        printer.SetFontName(g_fontName);
    printer.SetFontBold(false);
    printer.SetFontItalic(false);
    printer.SetFontUnderline(false);
    printer.SetFontStrikethru(false);
    printer.SetCurrentX(0);
    printer.SetCurrentY(0);
}
