// The label window: set-up, loading, the filter and the figures of the run, the address
// block layout, the bar code choice, printing and the run's host. The label definitions
// (list, boxes, New, Edit, Save, Delete) are in label_form_definitions.cpp.
#include "printing/windows/label_form.h"

#include "ui_label_form.h"

#include "app/messages.h"
#include "app/value_formats.h"
#include "app/windows/center_form.h"
#include "app/windows/fill_filter_box.h"
#include "app/windows/help_window.h"
#include "app/windows/select_all.h"
#include "database/control_core.h"
#include "database/label_core.h"
#include "database/label_record.h"
#include "database/list_core.h"
#include "printing/address_block.h"
#include "printing/label_definition_check.h"
#include "printing/label_recount.h"
#include "printing/label_run_options.h"
#include "printing/label_sheet.h"
#include "printing/print_labels.h"
#include "printing/printers.h"
#include "printing/windows/intelligent_mail_form.h"
#include "printing/windows/preview_form.h"
#include "printing/windows/window_run_host.h"

#include <QFocusEvent>
#include <QIcon>
#include <QMenuBar>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolBar>

namespace {

// The item data of an element in the layout lists: its code.
QListWidgetItem* ElementItem(int code) {
    auto* item = new QListWidgetItem(LabelElementCaption(code));
    item->setData(Qt::UserRole, code);
    return item;
}

int WholeValue(const QLineEdit* box) {
    return int(LeadingNumber(box->text()));
}

} // namespace

LabelForm::LabelForm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::LabelForm>()), m_menuBar(new QMenuBar(this)),
      m_toolbar(new QToolBar(this)) {
    ui->setupUi(this);
    m_runHost = std::make_unique<WindowRunHost>(this, ui->StopButton, ui->StopBetweenSheetsCheck);
    SetUpMenus();
    SetUpControls();
    SetMode(Mode::Viewing);
    AddHelpKey(this, kHelpLabels);
}

LabelForm::~LabelForm() = default;

void LabelForm::SetUpMenus() {
    m_menuBar->setObjectName("MenuBar");
    QMenu* file = m_menuBar->addMenu("&File");
    file->setObjectName("mnuFile");
    m_mnuFilePrint = file->addAction("&Print Labels");
    m_mnuFilePreview = file->addAction("Pre&view");
    m_mnuFileFilter = file->addAction("Set &Filter...");
    file->addSeparator();
    m_mnuFileExit = file->addAction("E&xit");
    QMenu* labels = m_menuBar->addMenu("&Label Types");
    labels->setObjectName("mnuLabels");
    m_mnuLabelNew = labels->addAction("&New");
    m_mnuLabelNewFromProduct = labels->addAction("New from &Product...");
    m_mnuLabelEdit = labels->addAction("&Edit");
    m_mnuLabelSave = labels->addAction("&Save");
    m_mnuLabelDelete = labels->addAction("&Delete");
    m_mnuFilePrint->setObjectName("mnuFilePrint");
    m_mnuFilePreview->setObjectName("mnuFilePreview");
    m_mnuFileFilter->setObjectName("mnuFileFilter");
    m_mnuFileExit->setObjectName("mnuFileExit");
    m_mnuLabelNew->setObjectName("mnuLabelNew");
    m_mnuLabelNewFromProduct->setObjectName("mnuLabelNewFromProduct");
    m_mnuLabelEdit->setObjectName("mnuLabelEdit");
    m_mnuLabelSave->setObjectName("mnuLabelSave");
    m_mnuLabelDelete->setObjectName("mnuLabelDelete");

    connect(m_mnuFilePrint, &QAction::triggered, this, &LabelForm::PrintCommand);
    connect(m_mnuFilePreview, &QAction::triggered, this, &LabelForm::PreviewCommand);
    connect(m_mnuFileFilter, &QAction::triggered, this, &LabelForm::SetFilterCommand);
    connect(m_mnuFileExit, &QAction::triggered, this, &LabelForm::reject);
    connect(m_mnuLabelNew, &QAction::triggered, this, &LabelForm::NewCommand);
    connect(m_mnuLabelNewFromProduct, &QAction::triggered, this, &LabelForm::NewFromProductCommand);
    connect(m_mnuLabelEdit, &QAction::triggered, this, &LabelForm::EditCommand);
    connect(m_mnuLabelSave, &QAction::triggered, this, [this] { SaveCommand(); });
    connect(m_mnuLabelDelete, &QAction::triggered, this, &LabelForm::DeleteCommand);

    // The toolbar buttons carry their key; the key decides the command.
    m_toolbar->setObjectName("Toolbar1");
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(24, 24));
    const struct {
        const char* key;
        const char* icon;
        const char* tip;
    } buttons[] = {{"Filter", "system-search.svg", "Set Filter"},
                   {"Print", "document-print.svg", "Print Labels"},
                   {"Preview", "document-print-preview.svg", "Preview Labels"},
                   {"New", "document-new.svg", "New Label Type"},
                   {"Edit", "accessories-text-editor.svg", "Edit Label Type"},
                   {"Save", "document-save.svg", "Save Label Type"},
                   {"Delete", "edit-delete.svg", "Delete Label Type"}};
    for (const auto& button : buttons) {
        QAction* action = m_toolbar->addAction(QIcon(QStringLiteral(":/icons/") + button.icon),
                                               QString::fromLatin1(button.key));
        action->setObjectName(QStringLiteral("Toolbar1") + button.key);
        action->setData(QString::fromLatin1(button.key));
        action->setToolTip(QString::fromLatin1(button.tip));
        if (qstrcmp(button.key, "Save") == 0)
            m_toolbarSave = action;
    }
    connect(m_toolbar, &QToolBar::actionTriggered, this, &LabelForm::ToolbarClick);

    ui->formLayout->setMenuBar(m_menuBar);
    ui->formLayout->insertWidget(0, m_toolbar);
}

void LabelForm::SetUpControls() {
    m_numberBoxes = {ui->RowsBox,       ui->ColumnsBox,       ui->TopIndentBox,
                     ui->LeftIndentBox, ui->RowDifferenceBox, ui->ColumnDifferenceBox,
                     ui->TypeSizeBox};
    // Rows and columns are whole numbers of a sheet (at most 255); the others are inches or
    // points, an indent may be negative.
    auto* whole = new QRegularExpressionValidator(QRegularExpression("\\d{0,3}"), this);
    auto* number =
        new QRegularExpressionValidator(QRegularExpression("-?\\d{0,3}(\\.\\d{0,4})?"), this);
    for (QLineEdit* box : m_numberBoxes) {
        box->setValidator(box == ui->RowsBox || box == ui->ColumnsBox ? whole : number);
        box->installEventFilter(this);
    }
    ui->LabelNameBox->installEventFilter(this);
    for (QLineEdit* box : {ui->RowBox, ui->ColBox}) {
        box->setValidator(whole);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, box] { StartBoxEdited(box); });
        connect(box, &QLineEdit::editingFinished, this, &LabelForm::Recount);
    }
    ui->UpButton->setIcon(QIcon(":/icons/go-up.svg"));
    ui->DownButton->setIcon(QIcon(":/icons/go-down.svg"));
    if (ui->UpButton->icon().isNull())
        ui->UpButton->setText(QStringLiteral("Up"));
    if (ui->DownButton->icon().isNull())
        ui->DownButton->setText(QStringLiteral("Down"));
    ui->StatusBox->setVisible(false);
    ui->StopButton->setVisible(false);
    ui->PreviewDPCheck->setEnabled(false);

    connect(ui->LabelList, &QListWidget::currentRowChanged, this, &LabelForm::LabelListClick);
    connect(ui->FilterBox, &QComboBox::currentIndexChanged, this, &LabelForm::FilterBoxClick);
    connect(ui->AddButton, &QPushButton::clicked, this, &LabelForm::AddElement);
    connect(ui->RemoveButton, &QPushButton::clicked, this, &LabelForm::RemoveElement);
    connect(ui->UpButton, &QPushButton::clicked, this, [this] { MoveElement(-1); });
    connect(ui->DownButton, &QPushButton::clicked, this, [this] { MoveElement(1); });
    connect(ui->AvailableList, &QListWidget::itemDoubleClicked, this, &LabelForm::AddElement);
    connect(ui->LayoutList, &QListWidget::itemDoubleClicked, this, &LabelForm::RemoveElement);
    connect(ui->FullPageCheck, &QCheckBox::clicked, this, &LabelForm::Recount);
    for (QRadioButton* option : {ui->BarCodeOption0, ui->BarCodeOption1, ui->BarCodeOption2,
                                 ui->BarCodeOption3, ui->BarCodeOption4})
        connect(option, &QRadioButton::clicked, this, &LabelForm::BarcodeOptionClick);
    connect(ui->IntelligentMailButton, &QPushButton::clicked, this,
            &LabelForm::IntelligentMailSettingsClick);
    connect(ui->StopButton, &QPushButton::clicked, this, &LabelForm::StopPrintingClick);
}

void LabelForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    CenterForm(this);
    Load();
}

void LabelForm::Load() {
    m_control = std::make_unique<ControlCore>();
    m_labels = std::make_unique<LabelCore>();
    m_list = std::make_unique<ListCore>();
    ui->RowBox->setText("1");
    ui->ColBox->setText("1");

    // The layout is not stored: every opening starts from Name and Address.
    for (int code : DefaultLabelLayout())
        ui->LayoutList->addItem(ElementItem(code));
    for (int code : AvailableLabelElements(International()))
        ui->AvailableList->addItem(ElementItem(code));
    if (International())
        ui->BarcodeFrame->setVisible(false); // no choice made: no bar codes
    else
        ui->BarCodeOption0->setChecked(true);

    m_fillingFilters = true;
    FillFilterBox(ui->FilterBox);
    if (ui->FilterBox->currentIndex() < 0 && ui->FilterBox->count() > 0)
        ui->FilterBox->setCurrentIndex(0); // the stored filter is gone: no filter
    m_fillingFilters = false;
    ApplyFilterChoice(false);
    // The window opens on the current label, with its figures.
    if (ui->LabelList->count() > 0)
        LabelListClick();
    else
        Recount();
}

void LabelForm::reject() {
    if (RefusedWhilePrinting())
        return;
    QDialog::reject();
}

bool LabelForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->RowBox || watched == ui->ColBox) {
        if (event->type() == QEvent::FocusIn) {
            auto* box = static_cast<QLineEdit*>(watched);
            // After the mouse has placed the caret.
            QTimer::singleShot(0, box, [box] { SelectAll(box); });
        }
        return QDialog::eventFilter(watched, event);
    }
    if (DefinitionEvent(watched, event))
        return true;
    return QDialog::eventFilter(watched, event);
}

// ---- Filter and figures ----

void LabelForm::FilterBoxClick() {
    if (m_fillingFilters || !m_loaded)
        return;
    if (RefusedWhilePrinting())
        return;
    ApplyFilterChoice(true);
}

void LabelForm::ApplyFilterChoice(bool recount) {
    const int index = ui->FilterBox->currentIndex();
    m_control->SetCurrentFilter(index < 0 ? 0 : ui->FilterBox->itemData(index).toLongLong());
    FillLabelList();
    m_list->SetCurrentFilter();
    if (recount)
        Recount();
}

void LabelForm::SetFilterCommand() {
    if (RefusedWhilePrinting())
        return;
    if (m_mode != Mode::Viewing) {
        Ding();
        return;
    }
    if (!m_filterEditor) {
        SorryBox(QStringLiteral("The filter editor is not available in this version."));
        return;
    }
    m_filterEditor(this);
    m_fillingFilters = true;
    FillFilterBox(ui->FilterBox);
    if (ui->FilterBox->currentIndex() < 0 && ui->FilterBox->count() > 0)
        ui->FilterBox->setCurrentIndex(0);
    m_fillingFilters = false;
    ApplyFilterChoice(true);
}

void LabelForm::Recount() {
    if (!m_loaded)
        return;
    const qint64 records = m_list->Records();
    if (records == 0) {
        InfoBox(QStringLiteral("No records selected"));
        return;
    }
    ui->RecordCountBox->setText(QString::number(records));
    ui->SortBox->setText(m_control->CurrentFilter() == 0 ? QStringLiteral("Name")
                                                         : SequenceName(m_list->SortSequence()));
    if (m_currentLabel == 0 && ui->LabelList->count() > 0)
        m_currentLabel = ui->LabelList->item(0)->data(Qt::UserRole).toLongLong();
    if (m_currentLabel == 0) {
        // No label definition at all: nothing to count the sheets by.
        ui->PageCountBox->clear();
        ui->LabelsPerRecordBox->clear();
        return;
    }
    m_labels->SetID(m_currentLabel);
    const LabelRecount count = RecountLabels(
        records, int(m_labels->LRows()), int(m_labels->LCols()), WholeValue(ui->RowBox),
        WholeValue(ui->ColBox), ui->FullPageCheck->isChecked(), ui->FullPageCheck->isEnabled());
    if (WholeValue(ui->RowBox) != count.startRow)
        ui->RowBox->setText(QString::number(count.startRow));
    if (WholeValue(ui->ColBox) != count.startColumn)
        ui->ColBox->setText(QString::number(count.startColumn));
    ui->FullPageCheck->setEnabled(count.fillPageEnabled);
    ui->FullPageCheck->setChecked(count.fillPageChecked);
    m_labelsPerRecord = count.labelsPerRecord;
    ui->PageCountBox->setText(QString::number(count.sheets));
    ui->LabelsPerRecordBox->setText(QString::number(m_labelsPerRecord));
}

void LabelForm::StartBoxEdited(QLineEdit* box) {
    // A start position below 1 (an empty box too) is 1 at once.
    if (WholeValue(box) < 1) {
        box->setText("1");
        SelectAll(box);
    }
}

// ---- Address block layout ----

void LabelForm::AddElement() {
    if (RefusedWhilePrinting())
        return;
    const QListWidgetItem* chosen = ui->AvailableList->currentItem();
    if (!chosen)
        return;
    const int code = chosen->data(Qt::UserRole).toInt();
    if (code == kCarrierRouteElement) {
        // The endorsement line stands above everything else.
        ui->LayoutList->insertItem(0, ElementItem(code));
        ui->LayoutList->setCurrentRow(0);
    } else {
        ui->LayoutList->addItem(ElementItem(code));
    }
}

void LabelForm::RemoveElement() {
    if (RefusedWhilePrinting())
        return;
    const int row = ui->LayoutList->currentRow();
    if (row >= 0 && ui->LayoutList->currentItem()->isSelected())
        delete ui->LayoutList->takeItem(row);
}

void LabelForm::MoveElement(int step) {
    if (RefusedWhilePrinting())
        return;
    const int row = ui->LayoutList->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= ui->LayoutList->count())
        return;
    QListWidgetItem* item = ui->LayoutList->takeItem(row);
    ui->LayoutList->insertItem(target, item);
    ui->LayoutList->setCurrentRow(target);
}

std::vector<int> LabelForm::Layout() const {
    std::vector<int> codes;
    for (int row = 0; row < ui->LayoutList->count(); ++row)
        codes.push_back(ui->LayoutList->item(row)->data(Qt::UserRole).toInt());
    return codes;
}

void LabelForm::BarcodeOptionClick() {
    const bool deliveryPoint = ui->BarCodeOption3->isChecked();
    if (!deliveryPoint)
        ui->PreviewDPCheck->setChecked(false);
    ui->PreviewDPCheck->setEnabled(deliveryPoint);
}

int LabelForm::BarcodeChoice() const {
    if (ui->BarcodeFrame->isHidden())
        return kNoBarcode;
    const QRadioButton* options[] = {ui->BarCodeOption0, ui->BarCodeOption1, ui->BarCodeOption2,
                                     ui->BarCodeOption3, ui->BarCodeOption4};
    for (int choice = 0; choice < 5; ++choice)
        if (options[choice]->isChecked())
            return choice;
    return kNoBarcode;
}

void LabelForm::IntelligentMailSettingsClick() {
    if (RefusedWhilePrinting())
        return;
    IntelligentMailForm settings(this);
    settings.exec();
}

// ---- Printing ----

bool LabelForm::MayPrint() {
    if (RefusedWhilePrinting())
        return false;
    if (m_mode != Mode::Viewing) {
        Ding();
        return false;
    }
    if (ui->LabelList->count() == 0) {
        InfoBox(QStringLiteral("You must define a label before you can print"));
        return false;
    }
    return true;
}

LabelRunOptions LabelForm::RunOptions() const {
    LabelRunOptions options;
    options.labelId = m_currentLabel;
    options.layout = Layout();
    options.startRow = std::max(WholeValue(ui->RowBox), 1);
    options.startColumn = std::max(WholeValue(ui->ColBox), 1);
    options.labelsPerRecord = m_labelsPerRecord;
    options.barcode = BarcodeChoice();
    options.previewDeliveryPoint = ui->PreviewDPCheck->isChecked();
    options.stopBetweenSheets = ui->StopBetweenSheetsCheck->isChecked();
    return options;
}

void LabelForm::PrintCommand() {
    if (!MayPrint())
        return;
    m_printing = true;
    PrintLabels(RunOptions(), *m_list, *m_runHost);
    m_printing = false;
}

void LabelForm::PreviewCommand() {
    if (!MayPrint())
        return;
    LabelRunOptions options = RunOptions();
    options.stopBetweenSheets = false; // the pages are the same; nothing to wait for
    QList<QRectF> outlines;
    LabelRecord label;
    if (ReadLabelDefinition(options.labelId, label))
        outlines = LabelSheet(label).TextAreas(Printers::Current());
    PreviewForm preview(this, QStringLiteral("Labels"), kHelpLabelPreview);
    m_printing = true;
    const bool print =
        preview.Preview([&](PrinterObject& printer,
                            LabelRunHost& host) { PrintLabels(options, *m_list, host, printer); },
                        outlines);
    m_printing = false;
    if (print)
        PrintCommand();
}

void LabelForm::StopPrintingClick() {
    m_runHost->RequestStop();
    QCoreApplication::processEvents();
}

bool LabelForm::RefusedWhilePrinting() {
    if (!m_printing)
        return false;
    Ding();
    return true;
}

void LabelForm::ToolbarClick(QAction* button) {
    const QString key = button->data().toString();
    if (key == "Filter")
        SetFilterCommand();
    else if (key == "Print")
        PrintCommand();
    else if (key == "Preview")
        PreviewCommand();
    else if (key == "New")
        NewCommand();
    else if (key == "Edit")
        EditCommand();
    else if (key == "Save")
        SaveCommand();
    else if (key == "Delete")
        DeleteCommand();
}
