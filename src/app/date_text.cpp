#include "app/date_text.h"

#include <QDate>
#include <QLocale>

namespace {

// Formats with a four-digit year, then those with two digits (read as 1930-2029).
const char* const kLongYearFormats[] = {
    "M/d/yyyy",    "M-d-yyyy",     "M.d.yyyy",    "yyyy-M-d",      "yyyy/M/d",
    "d-MMM-yyyy",  "d MMM yyyy",   "MMM d, yyyy", "MMM d yyyy",    "d-MMMM-yyyy",
    "d MMMM yyyy", "MMMM d, yyyy", "MMMM d yyyy", "ddd MMM d yyyy"};
const char* const kShortYearFormats[] = {"M/d/yy",   "M-d-yy",   "M.d.yy",
                                         "d-MMM-yy", "d MMM yy", "MMM d, yy"};

} // namespace

QDate ReadDateText(const QString& text) {
    const QString trimmed = text.simplified();
    if (trimmed.isEmpty())
        return QDate();
    for (const char* format : kLongYearFormats) {
        const QDate date = QDate::fromString(trimmed, QLatin1String(format));
        // A year of one or two digits read by "yyyy" is a two-digit year: tried below.
        if (date.isValid() && date.year() >= 100)
            return date;
    }
    for (const char* format : kShortYearFormats) {
        QDate date = QDate::fromString(trimmed, QLatin1String(format));
        if (!date.isValid())
            continue;
        // "yy" reads as 1900-1999; years below 30 belong to this century.
        if (date.year() < 1930)
            date = date.addYears(100);
        return date;
    }
    const QDate local = QLocale::system().toDate(trimmed, QLocale::ShortFormat);
    return local.isValid() ? local : QDate();
}

QString MediumDate(const QDate& date) {
    return QLocale::c().toString(date, QStringLiteral("dd-MMM-yyyy"));
}
