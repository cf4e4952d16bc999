// The main window's menus, toolbar and buttons: what each runs, the guards of the commands
// that open other windows, and help.

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/windows/main_form.h"
#include "filters/windows/import.h"
#include "printing/windows/delivery_point.h"
#include "printing/windows/get_printer.h"
#include "printing/windows/label_form.h"
#include "ui_main_form.h"

#include <QTimer>
#include <QUrl>

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
    connect(ui->mnuHelpReadMe, &QAction::triggered, this, [] { ShowHelpTopic(8000); });
    connect(ui->mnuHelpTechSupport, &QAction::triggered, this, [] { ShowHelpTopic(8800); });
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

void MainForm::NotInThisVersion() {
    SorryBox(QStringLiteral("This command is not available in this version."));
}

void MainForm::PrintLabels() {
    if (!NeedsList())
        return;
    if (!ListHasRecords() || Busy()) {
        Ding();
        return;
    }
    LabelForm form(this);
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
    NotInThisVersion();
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
    NotInThisVersion();
}

void MainForm::SetFilter() {
    if (!NeedsListAndIdle())
        return;
    // FilterForm, shown modally; then RefreshFilters.
    NotInThisVersion();
}

void MainForm::ViewGrid() {
    if (!NeedsList())
        return;
    // GridForm, shown modally.
    NotInThisVersion();
}

void MainForm::DefineSwitches() {
    if (!NeedsList())
        return;
    // DefineSwitches, shown modally; then ShowSwitchNames.
    NotInThisVersion();
}

void MainForm::ImportExport() {
    if (!NeedsListAndIdle())
        return;
    Import window(this);
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
    NotInThisVersion();
}

void MainForm::CheckDuplicates() {
    if (!NeedsList())
        return;
    // CheckDup, shown modally; then ShowRecord.
    NotInThisVersion();
}

void MainForm::ShowAbout() {
    // frmAbout, shown without being modal.
    NotInThisVersion();
}

void MainForm::ShowHelpContents() {
    Dialogs::Current().OpenUrl(QUrl::fromLocalFile(HelpFolder() + QStringLiteral("/index.html")));
}
