#include "app/windows/fill_filter_box.h"

#include "app/filter_choices.h"

#include <QComboBox>

void FillFilterBox(QComboBox* box) {
    FilterChoices choices;
    if (!ReadFilterChoices(choices))
        return;
    box->clear();
    box->addItem(QStringLiteral("<None>"), qint64(0));
    for (const FilterChoices::Choice& filter : choices.filters)
        box->addItem(filter.name, filter.id);
    box->setCurrentIndex(box->findData(choices.currentFilter));
}
