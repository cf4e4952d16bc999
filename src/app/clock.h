#pragma once

#include <QDate>
#include <QDateTime>

// The program's clock: the local date and time of the system, or a fixed time when one
// has been set (test runs fix it, so that nothing they check depends on the day they run).
QDateTime CurrentDateTime();
QDate CurrentDate();

// Fixes the time the clock gives; an invalid time lets it follow the system's clock again.
void SetFixedClock(const QDateTime& time);
