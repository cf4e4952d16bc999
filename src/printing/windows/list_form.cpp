#include "printing/windows/list_form.h"

#include "ui_list_form.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/windows/fill_filter_box.h"
#include "app/windows/help_window.h"
#include "database/control_core.h"
#include "database/engine_error.h"
#include "database/list_core.h"
#include "printing/record_list_report.h"
#include "printing/record_text_file.h"
#include "printing/report_options.h"
#include "printing/summary_list_report.h"
#include "printing/text_file_failure.h"
#include "printing/windows/preview_form.h"
#include "printing/windows/window_run_host.h"

#include <QCloseEvent>
#include <QIcon>

namespace {

// The user interface gets a turn after this many records written to a text file.
constexpr qint64 kRecordsPerTurn = 500;

} // namespace

ListForm::ListForm(QWidget* parent) : ModalWindow(parent), m_ui(std::make_unique<Ui::ListForm>()) {
    m_ui->setupUi(this);
    m_runHost =
        std::make_unique<WindowRunHost>(this, m_ui->StopButton, m_ui->StopBetweenSheetsCheck);
    SetUpToolbar();
    AddHelpKey(this, kHelpReports);
    m_ui->StopButton->setVisible(false);

    connect(m_ui->mnuFileFilter, &QAction::triggered, this, &ListForm::SetFilterCommand);
    connect(m_ui->mnuFilePrint, &QAction::triggered, this,
            [this] { PrintCommand(&PrintRecordList); });
    connect(m_ui->mnuFileSummary, &QAction::triggered, this,
            [this] { PrintCommand(&PrintSummaryList); });
    connect(m_ui->mnuFilePreview, &QAction::triggered, this,
            [this] { PreviewCommand(&PrintRecordList, QStringLiteral("Record List")); });
    connect(m_ui->mnuFilePreviewSummary, &QAction::triggered, this,
            [this] { PreviewCommand(&PrintSummaryList, QStringLiteral("Summary List")); });
    connect(m_ui->mnuFileFile, &QAction::triggered, this, &ListForm::PrintToFileCommand);
    connect(m_ui->mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->FilterBox, &QComboBox::activated, this, &ListForm::FilterBoxClick);
    connect(m_ui->StopButton, &QPushButton::clicked, this, [this] { m_runHost->RequestStop(); });

    m_control = std::make_unique<ControlCore>();
    m_list = std::make_unique<ListCore>();
    RefillFilterBox();
    m_ui->SwitchesCheck->setChecked(true);
}

ListForm::~ListForm() = default;

void ListForm::SetUpToolbar() {
    // The toolbar buttons carry their key; the key decides the command.
    const struct {
        const char* key;
        const char* icon;
        const char* tip;
    } buttons[] = {{"Filter", "system-search.svg", "Set Filter"},
                   {"Print", "document-print.svg", "Print Record List"},
                   {"Summary", "x-office-spreadsheet.svg", "Print Summary List"},
                   {"Text", "accessories-text-editor.svg", "Print to File"},
                   {"Preview", "document-print-preview.svg", "Preview Record List"}};
    for (const auto& button : buttons) {
        QAction* action = m_ui->Toolbar1->addAction(QIcon(QStringLiteral(":/icons/") + button.icon),
                                                    QString::fromLatin1(button.key));
        action->setObjectName(QStringLiteral("Toolbar1") + button.key);
        action->setData(QString::fromLatin1(button.key));
        action->setToolTip(QString::fromLatin1(button.tip));
    }
    connect(m_ui->Toolbar1, &QToolBar::actionTriggered, this, &ListForm::ToolbarClick);
}

void ListForm::closeEvent(QCloseEvent* event) {
    if (RefusedWhilePrinting()) {
        event->ignore();
        return;
    }
    ModalWindow::closeEvent(event);
}

void ListForm::RefillFilterBox() {
    m_loading = true;
    FillFilterBox(m_ui->FilterBox);
    if (m_ui->FilterBox->currentIndex() < 0 && m_ui->FilterBox->count() > 0)
        m_ui->FilterBox->setCurrentIndex(0); // the stored filter is gone: no filter
    m_loading = false;
    // Filling the box shows the count of the filter it settles on.
    ApplyFilter();
}

void ListForm::FilterBoxClick() {
    if (RefusedWhilePrinting())
        return;
    if (!m_loading) {
        const int index = m_ui->FilterBox->currentIndex();
        m_control->SetCurrentFilter(index < 0 ? 0 : m_ui->FilterBox->itemData(index).toLongLong());
    }
    ApplyFilter();
}

void ListForm::ApplyFilter() {
    m_list->SetCurrentFilter();
    m_ui->RecordCountBox->setText(QString::number(m_list->Records()));
}

void ListForm::SetFilterCommand() {
    if (RefusedWhilePrinting())
        return;
    if (!m_filterEditor) {
        SorryBox(QStringLiteral("The filter editor is not available in this version."));
        return;
    }
    m_filterEditor(this);
    RefillFilterBox();
}

ReportOptions ListForm::Options() const {
    ReportOptions options;
    options.showSwitches = m_ui->SwitchesCheck->isChecked();
    options.stopBetweenSheets = m_ui->StopBetweenSheetsCheck->isChecked();
    return options;
}

void ListForm::PrintCommand(Report report) {
    if (RefusedWhilePrinting())
        return;
    m_printing = true;
    report(*m_list, *m_runHost, Options());
    m_printing = false;
}

void ListForm::PreviewCommand(Report report, const QString& what) {
    if (RefusedWhilePrinting())
        return;
    ReportOptions options = Options();
    options.stopBetweenSheets = false; // the pages are the same; nothing to wait for
    PreviewForm preview(this, what, kHelpReports);
    m_printing = true;
    const bool print = preview.Preview([&](PrinterObject& printer, LabelRunHost& host) {
        options.printer = &printer;
        report(*m_list, host, options);
    });
    m_printing = false;
    if (print)
        PrintCommand(report);
}

void ListForm::PrintToFileCommand() {
    if (RefusedWhilePrinting())
        return;
    if (m_list->Records() < 1) {
        Ding();
        return;
    }
    const QString path =
        Dialogs::Current().SaveFileName(windowTitle(), QString(), "Text Files (*.txt)");
    if (!path.isEmpty()) {
        m_printing = true;
        m_runHost->SetBusy(true);
        m_runHost->Yield();
        QString failure;
        try {
            WriteRecordTextFile(path, *m_list, [this](qint64 written) {
                if (written % kRecordsPerTurn == 0)
                    m_runHost->Yield();
            });
        } catch (const EngineError& error) {
            failure = TextFileFailure(error, path);
        }
        m_runHost->SetBusy(false);
        m_printing = false;
        if (!failure.isEmpty())
            InfoBox(failure);
    }
    close();
}

void ListForm::ToolbarClick(QAction* button) {
    const QString key = button->data().toString();
    if (key == "Filter")
        SetFilterCommand();
    else if (key == "Print")
        PrintCommand(&PrintRecordList);
    else if (key == "Preview")
        PreviewCommand(&PrintRecordList, QStringLiteral("Record List"));
    else if (key == "Summary")
        PrintCommand(&PrintSummaryList);
    else if (key == "Text")
        PrintToFileCommand();
}

bool ListForm::RefusedWhilePrinting() {
    if (!m_printing)
        return false;
    Ding();
    return true;
}
