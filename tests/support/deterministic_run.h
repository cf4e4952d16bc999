#pragma once

#include <QDateTime>

// The time every test run sees: a Wednesday (the widest weekday name, with a "W" that the
// recording printer measures wider) at a time of day past noon.
QDateTime FixedTestTime();

// Called first in every test program's main: the same time zone, locale and clock on every
// machine and every day, for the program under test and for the processes it starts.
void MakeRunDeterministic();
