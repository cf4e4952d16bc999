#include "database/stored_date.h"

#include "database/schema.h"

#include <QDate>
#include <QVariant>

QString StoredDate(const QDate& date) {
    if (!date.isValid())
        return QString::fromLatin1(kZeroDate);
    // Bulk work stores the same date many times over: keep the last one written.
    static thread_local QDate lastDate;
    static thread_local QString lastText;
    if (date != lastDate) {
        lastText = date.toString(Qt::ISODate);
        lastDate = date;
    }
    return lastText;
}

namespace {

// The date of a stored text that starts "yyyy-MM-dd" (the form the program writes), read
// digit by digit; false when the text has another form.
bool ReadIsoStart(const QString& text, QDate& date) {
    if (text.size() < 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return false;
    int fields[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int f = 0; f < 3; ++f)
        for (int i = starts[f]; i < starts[f] + lengths[f]; ++i) {
            const QChar c = text.at(i);
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
            fields[f] = fields[f] * 10 + (c.unicode() - '0');
        }
    date = QDate(fields[0], fields[1], fields[2]);
    return true;
}

} // namespace

QDate DateFromStored(const QVariant& value) {
    const QString raw = value.toString();
    QDate date;
    if (!ReadIsoStart(raw, date)) {
        const QString text = raw.trimmed();
        if (text.size() < 10)
            return QDate();
        date = QDate::fromString(text.left(10), Qt::ISODate);
    }
    static const QDate zero = QDate::fromString(QString::fromLatin1(kZeroDate), Qt::ISODate);
    if (!date.isValid() || date == zero)
        return QDate();
    return date;
}
