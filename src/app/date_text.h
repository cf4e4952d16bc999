#pragma once

#include <QString>

class QDate;

// Reads a date the user typed: month/day/year with "/", "-" or "." between the parts,
// year-month-day, and forms with the month's name ("Mar 7, 2002", "7-Mar-2002",
// "7 March 2002"). Two-digit years are 1930-2029. A null date when the text is none of these.
QDate ReadDateText(const QString& text);

// The medium date form that date boxes are given back after a valid entry: "07-Mar-2002".
QString MediumDate(const QDate& date);
