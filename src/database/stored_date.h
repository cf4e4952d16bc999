#pragma once

#include <QString>

class QDate;
class QVariant;

// Dates in the list file are ISO text, "YYYY-MM-DD" (with " HH:MM:SS" when there is a time
// of day); the zero date 1899-12-30 means "no date". In the program "no date" is a null
// QDate.

// The stored text of a date: the zero date for a null or invalid date.
QString StoredDate(const QDate& date);
// The date of a stored value: a null QDate for the zero date, an empty or NULL value, or
// text that is not a date. A time of day is dropped.
QDate DateFromStored(const QVariant& value);
