#include "printing/label_choice.h"

#include "database/label_core.h"

std::vector<LabelChoice> ReadLabelChoices(LabelCore& labels) {
    std::vector<LabelChoice> choices;
    if (labels.Records() > 0 && labels.FirstRecord()) {
        do
            choices.push_back({labels.ID(), labels.LName()});
        while (labels.MoveUp());
    }
    return choices;
}

qint64 OpeningLabel(const std::vector<LabelChoice>& choices, qint64 currentLabel) {
    for (const LabelChoice& choice : choices)
        if (choice.id == currentLabel)
            return choice.id;
    return choices.empty() ? 0 : choices.front().id;
}
