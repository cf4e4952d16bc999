// The filter editor's window: its controls, the list of filters, showing and clearing a
// filter, the modes and closing. The commands are in filter_form_commands.cpp, the guards
// and the checks of the boxes in filter_form_checks.cpp.

#include "filters/windows/filter_form.h"

#include "app/date_text.h"
#include "app/dialogs.h"
#include "app/messages.h"
#include "app/switch_names.h"
#include "app/value_formats.h"
#include "app/windows/help_window.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "filters/windows/caption_measure.h"
#include "printing/report_text.h"
#include "ui_filter_form.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDate>
#include <QFontMetrics>

namespace {

// The width of a switch box's caption, in twips.
constexpr double kSwitchCaptionWidth = 2700;

} // namespace

FilterForm::FilterForm(QWidget* parent)
    : ModalWindow(parent), m_ui(std::make_unique<Ui::FilterForm>()) {
    AddHelpKey(this, kHelpFilters);
    m_ui->setupUi(this);
    m_filters = std::make_unique<FilterCore>();
    m_control = std::make_unique<ControlCore>();

    m_sequence = {m_ui->SequenceOption0, m_ui->SequenceOption1, m_ui->SequenceOption2,
                  m_ui->SequenceOption3, m_ui->SequenceOption4, m_ui->SequenceOption5,
                  m_ui->SequenceOption6, m_ui->SequenceOption7, m_ui->SequenceOption8};
    m_sequenceGroup = new QButtonGroup(this);
    for (int i = 0; i < int(m_sequence.size()); ++i)
        m_sequenceGroup->addButton(m_sequence[size_t(i)], i);
    m_ranges = {{{m_ui->StartingNameBox, m_ui->EndingNameBox,
                  QStringLiteral("Ending name is less than starting name")},
                 {m_ui->StartingCityBox, m_ui->EndingCityBox,
                  QStringLiteral("Ending city name is less than starting city name")},
                 {m_ui->StartingStateBox, m_ui->EndingStateBox,
                  QStringLiteral("Ending state is less than starting state")},
                 {m_ui->StartingZipBox, m_ui->EndingZipBox,
                  QStringLiteral("Ending zip is less than starting zip")},
                 {m_ui->StartingPhoneBox, m_ui->EndingPhoneBox,
                  QStringLiteral("Ending phone number is less than starting phone number")},
                 {m_ui->StartingCodeBox, m_ui->EndingCodeBox,
                  QStringLiteral("Ending code is less than starting code")},
                 {m_ui->StartingCarRtBox, m_ui->EndingCarRtBox,
                  QStringLiteral("Ending Carrier Route is less than starting Carrier Route")},
                 {m_ui->StartingEMailBox, m_ui->EndingEMailBox,
                  QStringLiteral("Ending E-Mail address is less than starting E-Mail address")},
                 {m_ui->StartingDateBox, m_ui->EndingDateBox, QString()}}};

    SetUpSwitches();
    SetUpSizes();
    SetUpCommands();
    SetUpGuards();
    FillFilterList();
    m_ui->SSTab1->setCurrentIndex(0);
    UpdateModeDisplay();
}

FilterForm::~FilterForm() = default;

void FilterForm::SetUpSwitches() {
    QGridLayout* grids[] = {m_ui->OrSelectGrid, m_ui->AndSelectGrid, m_ui->AndRejectGrid,
                            m_ui->OrRejectGrid};
    const char* names[] = {"OrSelectSwitch", "AndSelectSwitch", "AndRejectSwitch",
                           "OrRejectSwitch"};
    QWidget* pages[] = {m_ui->OrSelectTab, m_ui->AndSelectTab, m_ui->AndRejectTab,
                        m_ui->OrRejectTab};
    const CaptionMeasure measure(font());
    for (int group = 0; group < 4; ++group) {
        for (int i = 0; i < 16; ++i) {
            auto* box = new QCheckBox(pages[group]);
            box->setObjectName(QLatin1String(names[group]) + QString::number(i));
            box->setText(FitToWidth(measure, SwitchNames()[size_t(i)], kSwitchCaptionWidth));
            box->setToolTip(QStringLiteral("Switch %1").arg(i + 1));
            // Four columns of four, numbered down each column.
            grids[group]->addWidget(box, i % 4, i / 4);
            m_switches[size_t(group)][size_t(i)] = box;
        }
        for (int column = 0; column < 4; ++column)
            grids[group]->setColumnStretch(column, 1);
    }
}

void FilterForm::SetUpSizes() {
    // Each box is wide enough for a typical value: a filter name, nine zip digits, a
    // formatted phone number, a medium date.
    const QFontMetrics metrics(font());
    auto chars = [&metrics](int count) {
        return metrics.horizontalAdvance(QString(count, QLatin1Char('0'))) + 12;
    };
    for (const Range& range : m_ranges) {
        int count = qMin(range.start->maxLength(), 14);
        if (range.start == m_ui->StartingStateBox)
            count = 4;
        for (QLineEdit* box : {range.start, range.end})
            box->setMinimumWidth(chars(count));
    }
    m_ui->FilterList->setMinimumWidth(chars(16));
    m_ui->CurrentStateBox->setMaximumWidth(metrics.horizontalAdvance(QStringLiteral("NEW FILTER")) +
                                           24);
}

void FilterForm::SetUpCommands() {
    connect(m_ui->mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->mnuEditClear, &QAction::triggered, this, &FilterForm::ClearCommand);
    connect(m_ui->mnuEditNew, &QAction::triggered, this, &FilterForm::NewCommand);
    connect(m_ui->mnuEditEdit, &QAction::triggered, this, &FilterForm::EditCommand);
    connect(m_ui->mnuEditDelete, &QAction::triggered, this, &FilterForm::DeleteCommand);
    connect(m_ui->mnuEditSave, &QAction::triggered, this, [this] { SaveCommand(); });
    connect(m_ui->mnuEditCount, &QAction::triggered, this, &FilterForm::CountCommand);

    // The toolbar buttons carry their key; the key decides the command.
    const std::pair<QAction*, const char*> keys[] = {
        {m_ui->Toolbar1New, "New"},       {m_ui->Toolbar1Edit, "Edit"},
        {m_ui->Toolbar1Clear, "Clear"},   {m_ui->Toolbar1Save, "Save"},
        {m_ui->Toolbar1Delete, "Delete"}, {m_ui->Toolbar1Count, "Count"}};
    for (const auto& [button, key] : keys)
        button->setData(QString::fromLatin1(key));
    connect(m_ui->Toolbar1, &QToolBar::actionTriggered, this, &FilterForm::ToolbarClick);

    connect(m_ui->FilterList, &QListWidget::currentRowChanged, this, &FilterForm::FilterListClick);
}

void FilterForm::ToolbarClick(QAction* button) {
    const QString key = button->data().toString();
    if (key == QLatin1String("New"))
        NewCommand();
    else if (key == QLatin1String("Edit"))
        EditCommand();
    else if (key == QLatin1String("Clear"))
        ClearCommand();
    else if (key == QLatin1String("Save"))
        SaveCommand();
    else if (key == QLatin1String("Delete"))
        DeleteCommand();
    else if (key == QLatin1String("Count"))
        CountCommand();
}

void FilterForm::showEvent(QShowEvent* event) {
    ModalWindow::showEvent(event);
    if (m_activated)
        return;
    // The first time the window comes up it shows the list's current filter.
    m_activated = true;
    const qint64 current = m_control->CurrentFilter();
    if (current < 1)
        ClearFields();
    else
        SelectEntry(current);
}

void FilterForm::FillFilterList() {
    QListWidget* list = m_ui->FilterList;
    {
        const QSignalBlocker quiet(list);
        list->clear();
        auto* none = new QListWidgetItem(QStringLiteral("<None>"), list);
        none->setData(Qt::UserRole, qint64(0));
        if (m_filters->Records() > 0 && m_filters->FirstRecord()) {
            do {
                auto* item = new QListWidgetItem(m_filters->FilterName(), list);
                item->setData(Qt::UserRole, m_filters->ID());
            } while (m_filters->MoveUp());
        }
        list->setCurrentRow(-1);
        list->clearSelection();
    }
    if (m_currentId >= 1)
        SelectEntry(m_currentId);
}

void FilterForm::SelectEntry(qint64 id) {
    QListWidget* list = m_ui->FilterList;
    for (int row = 1; row < list->count(); ++row) {
        if (list->item(row)->data(Qt::UserRole).toLongLong() != id)
            continue;
        {
            const QSignalBlocker quiet(list);
            list->setCurrentRow(row);
        }
        FilterListClick(row);
        return;
    }
    // A filter that is no longer in the list: nothing is shown.
    ClearFields();
}

void FilterForm::FilterListClick(int row) {
    if (row < 0)
        return;
    const qint64 id = m_ui->FilterList->item(row)->data(Qt::UserRole).toLongLong();
    if (id < 1) {
        ClearFields();
        return;
    }
    m_filters->SetID(id);
    if (m_filters->ID() == id)
        ShowFilter();
}

void FilterForm::ShowFilter() {
    m_loading = true;
    m_ui->FilterNameBox->setText(m_filters->FilterName());
    m_ui->StartingNameBox->setText(m_filters->StartName());
    m_ui->EndingNameBox->setText(m_filters->EndName());
    m_ui->StartingCityBox->setText(m_filters->StartCity());
    m_ui->EndingCityBox->setText(m_filters->EndCity());
    m_ui->StartingStateBox->setText(m_filters->StartState());
    m_ui->EndingStateBox->setText(m_filters->EndState());
    m_ui->StartingZipBox->setText(m_filters->StartZip());
    m_ui->EndingZipBox->setText(m_filters->EndZip());
    m_ui->StartingEMailBox->setText(m_filters->StartEMail());
    m_ui->EndingEMailBox->setText(m_filters->EndEMail());
    m_ui->StartingPhoneBox->setText(FormatPhone(m_filters->StartPhone()));
    m_ui->EndingPhoneBox->setText(FormatPhone(m_filters->EndPhone()));
    m_ui->StartingCodeBox->setText(m_filters->StartCode());
    m_ui->EndingCodeBox->setText(m_filters->EndCode());
    m_ui->StartingCarRtBox->setText(m_filters->StartCarRt());
    m_ui->EndingCarRtBox->setText(m_filters->EndCarRt());
    const QDate start = m_filters->StartDate();
    const QDate end = m_filters->EndDate();
    m_ui->StartingDateBox->setText(start.isValid() ? MediumDate(start) : QString());
    m_ui->EndingDateBox->setText(end.isValid() ? MediumDate(end) : QString());

    const int sequence = m_filters->Sequence();
    if (sequence >= 0 && sequence < int(m_sequence.size())) {
        m_sequence[size_t(sequence)]->setChecked(true);
    } else {
        // An order the window has no option for: none is selected.
        m_sequenceGroup->setExclusive(false);
        for (QRadioButton* option : m_sequence)
            option->setChecked(false);
        m_sequenceGroup->setExclusive(true);
    }
    const QString strings[] = {m_filters->OrSelect(), m_filters->AndSelect(),
                               m_filters->AndReject(), m_filters->OrReject()};
    for (int group = 0; group < 4; ++group) {
        for (int i = 0; i < 16; ++i)
            m_switches[size_t(group)][size_t(i)]->setChecked(strings[group].mid(i, 1) ==
                                                             QLatin1String("1"));
    }
    m_ui->MarkedCheck->setChecked(m_filters->Marked() != 0);
    m_ui->ImportedCheck->setChecked(m_filters->Imported() != 0);
    m_currentId = m_filters->ID();
    m_loading = false;
}

void FilterForm::ClearRanges() {
    for (const Range& range : m_ranges) {
        range.start->clear();
        range.end->clear();
    }
    m_sequence[0]->setChecked(true);
    for (const auto& group : m_switches) {
        for (QCheckBox* box : group)
            box->setChecked(false);
    }
    m_ui->MarkedCheck->setChecked(false);
    m_ui->ImportedCheck->setChecked(false);
}

void FilterForm::ClearFields() {
    m_loading = true;
    m_ui->FilterNameBox->clear();
    ClearRanges();
    m_currentId = 0;
    {
        const QSignalBlocker quiet(m_ui->FilterList);
        m_ui->FilterList->setCurrentRow(-1);
        m_ui->FilterList->clearSelection();
    }
    m_loading = false;
}

void FilterForm::UpdateModeDisplay() {
    const bool working = !Browsing();
    m_ui->CurrentStateBox->setVisible(working);
    if (m_new)
        m_ui->CurrentStateBox->setText(QStringLiteral("NEW FILTER"));
    else if (m_editing)
        m_ui->CurrentStateBox->setText(QStringLiteral("EDITING"));
    else
        m_ui->CurrentStateBox->clear();
    m_ui->mnuEditSave->setVisible(working);
    m_ui->mnuEditClear->setVisible(working);
    m_ui->Toolbar1Save->setEnabled(working);
    m_ui->Toolbar1Clear->setEnabled(working);
    // While browsing nothing can be typed, dropped or pasted into the boxes.
    m_ui->FilterNameBox->setReadOnly(!working);
    for (const Range& range : m_ranges) {
        range.start->setReadOnly(!working);
        range.end->setReadOnly(!working);
    }
}

void FilterForm::closeEvent(QCloseEvent* event) {
    if (!Browsing()) {
        Ding();
        if (Dialogs::Current().AskYesNo(QStringLiteral("Save changes to this filter?"),
                                        QStringLiteral("Un-saved Filter"), MessageIcon::Question) &&
            !SaveCommand()) {
            // The save was refused and the user has been told why: the window stays open
            // with what was typed, so that it can be corrected.
            event->ignore();
            return;
        }
    }
    m_closing = true;
    m_control->SetCurrentFilter(m_currentId);
    ModalWindow::closeEvent(event);
}
