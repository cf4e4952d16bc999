#pragma once

#include <QString>
#include <vector>

// The saved filters of the current list as a filter box offers them: each filter's name
// and ID in table (ID) order, and the ID of the list's current filter (0 for none).
struct FilterChoices {
    struct Choice {
        qint64 id;
        QString name;
    };
    std::vector<Choice> filters;
    qint64 currentFilter = 0;
};

// Reads the choices from the current list; false when the list cannot be opened (the user
// has been told why) or read.
bool ReadFilterChoices(FilterChoices& choices);
