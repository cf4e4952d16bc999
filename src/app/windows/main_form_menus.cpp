// The main window's menus, toolbar and buttons: what each runs, the guards of the commands
// that open other windows, and help.

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/windows/about_form.h"
#include "app/windows/define_switches.h"
#include "app/windows/grid_form.h"
#include "app/windows/main_form.h"
#include "app/windows/template_form.h"
#include "filters/windows/check_dup.h"
#include "filters/windows/convert.h"
#include "filters/windows/filter_form.h"
#include "filters/windows/import.h"
#include "printing/windows/delivery_point.h"
#include "printing/windows/get_printer.h"
#include "printing/windows/label_form.h"
#include "printing/windows/list_form.h"
#include "ui_main_form.h"

#include <QTimer>
#include <QUrl>

namespace {

// The filter editor, shown modally on the window that asks for it.
void OpenFilterEditor(QWidget* parent) {
    FilterForm editor(parent);
    editor.Exec();
}

} // namespace

void MainForm::ConnectCommands() {
    // The zip shift-click shows the delivery-point digits of the current record.
    SetDeliveryPointOpener([](QWidget* parent, qint64 recordId) {
        DeliveryPoint window(parent);
        window.SetRecord(recordId);
        window.exec();
    });
    // File
    connect(ui->mnuFileOpen, &QAction::triggered, this, &MainForm::OpenMailingList);
    connect(ui->mnuFileNew, &QAction::triggered, this, &MainForm::NewMailingList);
    connect(ui->mnuFileBackup, &QAction::triggered, this, &MainForm::BackupList);
    connect(ui->mnuFilePrintLabels, &QAction::triggered, this, &MainForm::PrintLabels);
    connect(ui->mnuFilePrintRecords, &QAction::triggered, this, &MainForm::PrintLists);
    connect(ui->mnuFileSetupLargeScreen, &QAction::triggered, this, &MainForm::ToggleLargeScreen);
    connect(ui->mnuFileSetupPrinter, &QAction::triggered, this, &MainForm::SelectPrinter);
    connect(ui->mnuSetupBackupPath, &QAction::triggered, this, &MainForm::SetBackupPath);
    connect(ui->mnuFileSetupInternational, &QAction::triggered, this,
            &MainForm::ToggleInternational);
    connect(ui->mnuFileExit, &QAction::triggered, this, &QWidget::close);
    // Edit
    connect(ui->mnuEditNew, &QAction::triggered, this, &MainForm::NewRecord);
    connect(ui->mnuEditEdit, &QAction::triggered, this, &MainForm::EditRecord);
    connect(ui->mnuEditSave, &QAction::triggered, this, &MainForm::SaveRecord);
    connect(ui->mnuEditDelete, &QAction::triggered, this, &MainForm::DeleteRecord);
    connect(ui->mnuEditCancel, &QAction::triggered, this, &MainForm::CancelInput);
    connect(ui->mnuEditCopy, &QAction::triggered, this, &MainForm::CopyAddress);
    connect(ui->mnuEditMark, &QAction::triggered, this, &MainForm::MarkRecord);
    connect(ui->mnuEditImportedFlag, &QAction::triggered, this, &MainForm::ToggleImportedFlag);
    connect(ui->mnuEditTemplate, &QAction::triggered, this, &MainForm::SetTemplate);
    connect(ui->mnuEditFilter, &QAction::triggered, this, &MainForm::SetFilter);
    // Move
    connect(ui->mnuMoveFirst, &QAction::triggered, this, &MainForm::FirstRecord);
    connect(ui->mnuMoveUp, &QAction::triggered, this, &MainForm::UpOneRecord);
    connect(ui->mnuMoveDown, &QAction::triggered, this, &MainForm::DownOneRecord);
    connect(ui->mnuMoveLast, &QAction::triggered, this, &MainForm::LastRecord);
    // Tools
    connect(ui->mnuToolsGrid, &QAction::triggered, this, &MainForm::ViewGrid);
    connect(ui->mnuToolsDefineSwitches, &QAction::triggered, this, &MainForm::DefineSwitches);
    connect(ui->mnuToolsImport, &QAction::triggered, this, &MainForm::ImportExport);
    connect(ui->mnuToolsConvert, &QAction::triggered, this, &MainForm::ConvertAndPurge);
    connect(ui->mnuToolsCompact, &QAction::triggered, this, &MainForm::CompactList);
    connect(ui->mnuToolsDuplicates, &QAction::triggered, this, &MainForm::CheckDuplicates);
    // Help
    connect(ui->mnuHelpHelp, &QAction::triggered, this, &MainForm::ShowHelpContents);
    connect(ui->mnuHelpReadMe, &QAction::triggered, this, [] { ShowHelpTopic(kHelpReadMe); });
    connect(ui->mnuHelpTechSupport, &QAction::triggered, this, [] { ShowHelpTopic(kHelpSupport); });
    connect(ui->mnuHelpAbout, &QAction::triggered, this, &MainForm::ShowAbout);

    // The toolbar buttons carry their key; the key decides the command.
    const std::pair<QAction*, const char*> keys[] = {
        {ui->Toolbar1New, "New"},           {ui->Toolbar1Open, "Open"},
        {ui->Toolbar1Delete, "Delete"},     {ui->Toolbar1Print, "Print"},
        {ui->Toolbar1Template, "Template"}, {ui->Toolbar1Filter, "Filter"},
        {ui->Toolbar1List, "List"},         {ui->Toolbar1Save, "Save"}};
    for (const auto& [button, key] : keys)
        button->setData(QString::fromLatin1(key));
    connect(ui->Toolbar1, &QToolBar::actionTriggered, this, &MainForm::ToolbarClick);

    // The record area's buttons and boxes.
    connect(ui->CancelButton, &QPushButton::clicked, this, &MainForm::CancelInput);
    connect(ui->FirstRecordButton, &QPushButton::clicked, this, &MainForm::FirstRecord);
    connect(ui->LastRecordButton, &QPushButton::clicked, this, &MainForm::LastRecord);
    connect(ui->UpButton, &QPushButton::pressed, this, [this] { RepeatButtonPressed(true); });
    connect(ui->DownButton, &QPushButton::pressed, this, [this] { RepeatButtonPressed(false); });
    connect(ui->UpButton, &QPushButton::released, m_timer, &QTimer::stop);
    connect(ui->DownButton, &QPushButton::released, m_timer, &QTimer::stop);
    connect(m_timer, &QTimer::timeout, this, &MainForm::RepeatTimerTick);
    connect(ui->FilterBox, &QComboBox::activated, this, &MainForm::FilterBoxClick);
    connect(ui->TemplateBox, &QComboBox::activated, this, &MainForm::TemplateBoxClick);

    UpdateEditControls();
}

void MainForm::ToolbarClick(QAction* button) {
    const QString key = button->data().toString();
    auto is = [&key](const char* name) {
        return key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("New"))
        NewRecord();
    else if (is("Open"))
        EditRecord();
    else if (is("Delete"))
        DeleteRecord();
    else if (is("Print"))
        PrintLabels();
    else if (is("Template"))
        SetTemplate();
    else if (is("Filter"))
        SetFilter();
    else if (is("List"))
        ViewGrid();
    else if (is("Save"))
        SaveRecord();
}

void MainForm::PrintLabels() {
    if (!NeedsList())
        return;
    if (!ListHasRecords() || Busy()) {
        Ding();
        return;
    }
    LabelForm form(this);
    form.SetFilterEditorOpener(&OpenFilterEditor);
    form.exec();
    // The label window may have changed the current filter.
    ShowFilterInfo();
    ShowRecord();
}

void MainForm::PrintLists() {
    if (!NeedsList())
        return;
    if (!ListHasRecords() || Busy()) {
        Ding();
        return;
    }
    // ListForm, shown modally; then ShowFilterInfo and ShowRecord.
    ListForm form(this);
    form.SetFilterEditorOpener(&OpenFilterEditor);
    form.Exec();
    ShowFilterInfo();
    ShowRecord();
}

void MainForm::SelectPrinter() {
    GetPrinter window(this);
    window.SetProjectName(QStringLiteral("Tessavane"));
    window.exec();
}

void MainForm::SetTemplate() {
    if (!NeedsListAndIdle())
        return;
    // Template, shown modally and unloaded; then LoadTemplateBox and ShowTemplateName.
    {
        Template window(this);
        window.Exec();
    }
    LoadTemplateBox();
    ShowTemplateName();
}

void MainForm::SetFilter() {
    if (!NeedsListAndIdle())
        return;
    OpenFilterEditor(this);
    RefreshFilters();
}

void MainForm::ViewGrid() {
    if (!NeedsList())
        return;
    // GridForm, shown modally.
    GridForm form(this);
    form.exec();
}

void MainForm::DefineSwitches() {
    if (!NeedsList())
        return;
    // DefineSwitches, shown modally; then ShowSwitchNames.
    {
        ::DefineSwitches window(this);
        window.exec();
    }
    ShowSwitchNames();
}

void MainForm::ImportExport() {
    if (!NeedsListAndIdle())
        return;
    Import window(this);
    window.m_openFilterEditor = &OpenFilterEditor;
    window.Exec();
    RefreshFilters();
}

void MainForm::ConvertAndPurge() {
    if (!NeedsList())
        return;
    // Nothing to convert or purge in an empty list.
    if (!ListHasRecords())
        return;
    if (Busy()) {
        Ding();
        return;
    }
    // Convert, shown modally; then RefreshFilters.
    Convert window(this);
    window.SetFilterEditorOpener(&OpenFilterEditor);
    if (window.Loaded())
        window.Exec();
    RefreshFilters();
}

void MainForm::CheckDuplicates() {
    if (!NeedsList())
        return;
    // CheckDup, shown modally; then ShowRecord.
    CheckDup window(this);
    window.exec();
    ShowRecord();
}

void MainForm::ShowAbout() {
    // frmAbout, shown without being modal; one at a time.
    if (auto* shown = findChild<frmAbout*>()) {
        shown->raise();
        shown->activateWindow();
        return;
    }
    auto* about = new frmAbout(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->show();
}

void MainForm::ShowHelpContents() {
    ShowHelpTopic(kHelpContents);
}
