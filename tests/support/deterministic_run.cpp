#include "support/deterministic_run.h"

#include "app/clock.h"

#include <QLocale>
#include <ctime>

QDateTime FixedTestTime() {
    return QDateTime(QDate(2031, 12, 31), QTime(15, 4, 5));
}

void MakeRunDeterministic() {
    // Before Qt reads them: the system locale and the time zone come from the environment,
    // which the processes a test starts inherit too.
    qputenv("TZ", "UTC");
    tzset();
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANG", "en_US.UTF-8");
    qunsetenv("LANGUAGE");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SetFixedClock(FixedTestTime());
}
