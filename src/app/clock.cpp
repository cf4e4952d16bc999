#include "app/clock.h"

namespace {
QDateTime g_fixedTime;
} // namespace

QDateTime CurrentDateTime() {
    return g_fixedTime.isValid() ? g_fixedTime : QDateTime::currentDateTime();
}

QDate CurrentDate() {
    return CurrentDateTime().date();
}

void SetFixedClock(const QDateTime& time) {
    g_fixedTime = time;
}
