#pragma once

#include <QString>
#include <vector>

class LabelCore;

// A label layout as the label window lists it.
struct LabelChoice {
    qint64 id = 0;
    QString name;
};

// The label layouts of the current list in the order the label window lists them (the
// store's ID order); none for an empty table.
std::vector<LabelChoice> ReadLabelChoices(LabelCore& labels);

// The layout the label window opens on: the list's current label when it is listed, else
// the first listed; 0 when none is.
qint64 OpeningLabel(const std::vector<LabelChoice>& choices, qint64 currentLabel);
