// The filter editor's commands: New, Edit, Clear Filter, Delete, Save and Count.

#include "filters/windows/filter_form.h"

#include "app/date_text.h"
#include "app/dialogs.h"
#include "app/messages.h"
#include "app/value_formats.h"
#include "app/windows/validate_date_box.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_core.h"
#include "filters/build_filter_query.h"
#include "ui_filter_form.h"

#include <QButtonGroup>
#include <QDate>

namespace {

bool Ask(const QString& question) {
    return Dialogs::Current().AskYesNo(question, ApplicationTitle(), MessageIcon::Question);
}

// The date in a box; a null date (no bound) when the box is blank.
QDate BoxDate(const QLineEdit* box) {
    const QString text = box->text().trimmed();
    return text.isEmpty() ? QDate() : ReadDateText(text);
}

// A zip bound as the filter stores it; blank stays blank.
QString ZipBound(const QLineEdit* box, bool upper) {
    const QString text = box->text();
    return text.trimmed().isEmpty() ? QString() : ZipDigits(text, upper);
}

} // namespace

void FilterForm::NewCommand() {
    if (m_editing) {
        Ding();
        if (!Ask(QStringLiteral("You are editing the current Filter. Do you want to save it?")))
            return;
        // A refused save keeps the edit and what was typed.
        if (!SaveCommand())
            return;
    }
    ClearFields();
    m_new = true;
    m_editing = false;
    UpdateModeDisplay();
    m_ui->FilterNameBox->setFocus(Qt::OtherFocusReason);
}

void FilterForm::EditCommand() {
    if (m_new) {
        Ding();
        if (!Ask(QStringLiteral("You are working on a new Filter. Do you want to save it?")))
            return;
        if (!SaveCommand())
            return;
    }
    if (m_currentId == 0) {
        Ding();
        return;
    }
    m_editing = true;
    UpdateModeDisplay();
}

void FilterForm::ClearCommand() {
    if (Browsing()) {
        Ding();
        return;
    }
    m_loading = true;
    ClearRanges();
    m_loading = false;
}

void FilterForm::DeleteCommand() {
    if (m_new) {
        // Cancels the new filter.
        ClearFields();
        m_new = false;
        UpdateModeDisplay();
        return;
    }
    if (m_editing) {
        // Cancels the edit: the stored filter comes back.
        m_editing = false;
        if (m_currentId >= 1) {
            m_filters->SetID(m_currentId);
            ShowFilter();
        } else {
            ClearFields();
        }
        UpdateModeDisplay();
        return;
    }
    const int row = m_ui->FilterList->currentRow();
    const qint64 id = row < 0 ? 0 : m_ui->FilterList->item(row)->data(Qt::UserRole).toLongLong();
    if (id < 1) {
        // "<None>" or nothing chosen: there is no filter to delete.
        Ding();
        return;
    }
    Ding();
    if (!Ask(QStringLiteral("Delete this Filter?")))
        return;
    if (m_control->CurrentFilter() == id)
        m_control->SetCurrentFilter(0);
    m_filters->SetID(id);
    if (m_filters->ID() == id)
        m_filters->DeleteRecord(); // asks its own confirmation
    ClearFields();
    FillFilterList();
}

bool FilterForm::SaveCommand() {
    if (Browsing()) {
        Ding();
        return false;
    }
    const QString name = m_ui->FilterNameBox->text();
    if (name.trimmed().isEmpty()) {
        InfoBox(QStringLiteral("The Filter must have a name"));
        return false;
    }
    // (An empty table has no name to collide with, and nothing to report.)
    if (m_new && m_filters->Records() > 0 && m_filters->MoveToName(name, true)) {
        InfoBox(QStringLiteral("Duplicate filter name. Please select a different one."));
        return false;
    }
    // A date box left with text that is no date is caught here, before anything is stored.
    if (!ValidateDateBox(m_ui->StartingDateBox, true) ||
        !ValidateDateBox(m_ui->EndingDateBox, true))
        return false;
    if (m_editing) {
        // The edit rewrites the filter it started on, never whatever the store stands on.
        if (m_currentId < 1) {
            InfoBox(QStringLiteral("You must select a filter."));
            return false;
        }
        m_filters->SetID(m_currentId);
        if (m_filters->ID() != m_currentId)
            return false;
    }
    FilterRecord record = CollectRecord();
    record.Query = BuildFilterQuery(record);
    const bool saved = m_new ? m_filters->NewRecord(record) : m_filters->UpdateRecord(record);
    if (!saved)
        return false; // the store has shown the engine's reason
    m_currentId = m_filters->ID();
    m_new = false;
    m_editing = false;
    FillFilterList();
    UpdateModeDisplay();
    return true;
}

void FilterForm::CountCommand() {
    if (m_currentId == 0) {
        InfoBox(QStringLiteral("You must select a filter."));
        return;
    }
    // The list store applies the list's current filter: make it the one shown (once its
    // query has run).
    ChooseFilterOnceItRuns(m_currentId);
    qint64 records = 0;
    {
        ListCore list;
        list.SetCurrentFilter();
        records = list.Records();
    }
    const QString text =
        records < 1 ? QStringLiteral("No records satisfy this filter.")
                    : QString::number(records) + QStringLiteral(" records satisfy this filter.");
    Dialogs::Current().ShowMessage(text, ApplicationTitle(), MessageIcon::None);
}

FilterRecord FilterForm::CollectRecord() const {
    FilterRecord record;
    record.FilterName = m_ui->FilterNameBox->text();
    record.StartName = m_ui->StartingNameBox->text();
    record.EndName = m_ui->EndingNameBox->text();
    record.StartCity = m_ui->StartingCityBox->text();
    record.EndCity = m_ui->EndingCityBox->text();
    record.StartState = m_ui->StartingStateBox->text();
    record.EndState = m_ui->EndingStateBox->text();
    record.StartZip = ZipBound(m_ui->StartingZipBox, false);
    record.EndZip = ZipBound(m_ui->EndingZipBox, true);
    record.StartEMail = m_ui->StartingEMailBox->text();
    record.EndEMail = m_ui->EndingEMailBox->text();
    record.StartPhone = PhoneDigits(m_ui->StartingPhoneBox->text());
    record.EndPhone = PhoneDigits(m_ui->EndingPhoneBox->text());
    record.StartCode = m_ui->StartingCodeBox->text();
    record.EndCode = m_ui->EndingCodeBox->text();
    record.StartCarRt = m_ui->StartingCarRtBox->text();
    record.EndCarRt = m_ui->EndingCarRtBox->text();
    record.StartDate = BoxDate(m_ui->StartingDateBox);
    record.EndDate = BoxDate(m_ui->EndingDateBox);
    record.Sequence = qMax(0, m_sequenceGroup->checkedId());
    record.OrSelect = SwitchString(OrSelect);
    record.AndSelect = SwitchString(AndSelect);
    record.AndReject = SwitchString(AndReject);
    record.OrReject = SwitchString(OrReject);
    record.Marked = m_ui->MarkedCheck->isChecked() ? 1 : 0;
    record.Imported = m_ui->ImportedCheck->isChecked() ? 1 : 0;
    return record;
}

QString FilterForm::SwitchString(SwitchGroup group) const {
    QString switches(16, QLatin1Char('0'));
    for (int i = 0; i < 16; ++i) {
        if (m_switches[size_t(group)][size_t(i)]->isChecked())
            switches[i] = QLatin1Char('1');
    }
    return switches;
}
