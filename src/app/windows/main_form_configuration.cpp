// The "Configuration" panel of the main window: the filter and template boxes, the sort
// order, the record count, and the switch captions.

#include "app/switch_names.h"
#include "app/value_formats.h"
#include "app/windows/elided_text.h"
#include "app/windows/fill_filter_box.h"
#include "app/windows/main_form.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/list_core.h"
#include "database/template_core.h"
#include "ui_main_form.h"

void MainForm::ShowSwitchNames() {
    // A long name is cut (the whole of it in the tool tip), so that the panel keeps its
    // width: the room of about eighteen average characters.
    const int width = SwitchBox(0)->fontMetrics().averageCharWidth() * 18;
    for (int i = 0; i < 16; ++i)
        ShowElided(SwitchBox(i), SwitchNames()[size_t(i)], width);
}

void MainForm::LoadTemplateBox() {
    m_loading = true;
    ui->TemplateBox->clear();
    ui->TemplateBox->addItem(QStringLiteral("<None>"), qint64(0));
    if (m_templates->Records() > 0) {
        m_templates->FirstRecord();
        do {
            ui->TemplateBox->addItem(m_templates->TemplateName(), m_templates->ID());
        } while (m_templates->MoveUp());
    }
    ui->TemplateBox->setCurrentIndex(ui->TemplateBox->findData(m_control->CurrentTemplate()));
    m_loading = false;
}

void MainForm::ShowTemplateName() {
    const bool loading = m_loading;
    m_loading = true;
    const qint64 current = m_control->CurrentTemplate();
    if (current < 1) {
        ui->TemplateBox->setCurrentIndex(ui->TemplateBox->findData(qint64(0)));
    } else {
        // New records are filled from the template the store stands on.
        m_templates->SetID(current);
        ui->TemplateBox->setCurrentIndex(ui->TemplateBox->findData(m_templates->ID()));
    }
    m_loading = loading;
}

void MainForm::ShowFilterInfo() {
    m_list->SetCurrentFilter();
    const bool loading = m_loading;
    m_loading = true;
    const qint64 current = m_control->CurrentFilter();
    if (current < 1) {
        ui->FilterBox->setCurrentIndex(ui->FilterBox->findData(qint64(0)));
        m_sortOrder = 0;
        ui->SortBox->setText(QStringLiteral("Name"));
    } else {
        m_filters->SetID(current);
        ui->FilterBox->setCurrentIndex(ui->FilterBox->findData(m_filters->ID()));
        m_sortOrder = m_filters->Sequence();
        ui->SortBox->setText(SequenceName(m_sortOrder));
    }
    m_loading = loading;
    ui->RecordCountBox->setText(QString::number(m_list->Records()));
}

void MainForm::RefreshFilters() {
    m_loading = true;
    FillFilterBox(ui->FilterBox);
    m_loading = false;
    ShowFilterInfo();
    ShowRecord();
}

void MainForm::FilterBoxClick(int index) {
    if (m_loading || !ListIsOpen() || index < 0)
        return;
    const qint64 id = ui->FilterBox->itemData(index).toLongLong();
    if (id < 1) {
        ChooseFilterOnceItRuns(0);
    } else {
        m_filters->SetID(id);
        ChooseFilterOnceItRuns(m_filters->ID());
    }
    // The filter becomes the list's current one once its query has run.
    ShowFilterInfo();
    ShowRecord();
}

void MainForm::TemplateBoxClick(int index) {
    if (m_loading || !ListIsOpen() || index < 0)
        return;
    const qint64 id = ui->TemplateBox->itemData(index).toLongLong();
    if (id < 1) {
        m_control->SetCurrentTemplate(0);
    } else {
        m_templates->SetID(id);
        m_control->SetCurrentTemplate(m_templates->ID());
    }
    ShowTemplateName();
}
