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

QDate DateFromStored(const QVariant& value) {
    const QString text = value.toString().trimmed();
    if (text.size() < 10)
        return QDate();
    const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    if (!date.isValid() || date == QDate::fromString(QString::fromLatin1(kZeroDate), Qt::ISODate))
        return QDate();
    return date;
}
