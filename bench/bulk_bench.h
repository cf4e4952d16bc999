#pragma once

#include <QString>

// The duplicate check and a bulk conversion, each on a copy of the list (they change it).
// The duplicate check runs over the whole list with its marks cleared beforehand; the
// conversion turns the marks of 100,000 marked records (all records of a smaller list)
// into two switches, as "Marks to Switches" does, counting the filter's records again
// afterwards. Each returns the seconds the command took.
double CheckDuplicatesBench(const QString& list);
double MarksToSwitchesBench(const QString& list);
