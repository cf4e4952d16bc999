#include "filters/windows/import.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/windows/fill_filter_box.h"
#include "app/windows/help_window.h"
#include "database/control_core.h"
#include "database/engine_error.h"
#include "database/filter_core.h"
#include "database/list_core.h"
#include "database/new_list_path.h"
#include "filters/export_failure_text.h"
#include "filters/import_export.h"
#include "filters/transfer_items.h"
#include "filters/windows/import_preview.h"
#include "ui_import.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QTimer>

namespace {

void AddListItem(QListWidget* list, int code) {
    auto* item = new QListWidgetItem(TransferItemCaption(code), list);
    item->setData(Qt::UserRole, code);
}

// A progress dialog that the user can cancel; it follows the work through the handler.
class Progress {
public:
    Progress(QWidget* parent, const QString& label) : m_dialog(label, "Cancel", 0, 1000, parent) {
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(500);
    }
    ProgressHandler Handler() {
        return [this](qint64 done, qint64 total) {
            m_dialog.setValue(total > 0 ? int(done * 1000 / total) : 0);
            QApplication::processEvents();
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

Import::Import(QWidget* parent)
    : ModalWindow(parent), m_ui(std::make_unique<Ui::Import>()), m_timer(new QTimer(this)) {
    AddHelpKey(this, kHelpImport);
    m_ui->setupUi(this);
    m_control = std::make_unique<ControlCore>();
    m_filters = std::make_unique<FilterCore>();
    m_list = std::make_unique<ListCore>();

    for (int code : StandardTransferItems()) {
        AddListItem(m_ui->AvailableList, code);
        AddListItem(m_ui->CurrentList, code);
    }
    for (int code : ExtraTransferItems())
        AddListItem(m_ui->AvailableList, code);
    RefillFilterBox();

    connect(m_ui->AddButton, &QPushButton::clicked, this, &Import::AddItem);
    connect(m_ui->AvailableList, &QListWidget::itemDoubleClicked, this, &Import::AddItem);
    connect(m_ui->RemoveButton, &QPushButton::clicked, this, &Import::RemoveItems);
    connect(m_ui->CurrentList, &QListWidget::itemDoubleClicked, this, &Import::RemoveItems);
    connect(m_ui->UpButton, &QToolButton::pressed, this, [this] { StartRepeat(-1); });
    connect(m_ui->DownButton, &QToolButton::pressed, this, [this] { StartRepeat(1); });
    connect(m_ui->UpButton, &QToolButton::released, m_timer, &QTimer::stop);
    connect(m_ui->DownButton, &QToolButton::released, m_timer, &QTimer::stop);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_timer->setInterval(200);
        MoveItem(m_repeatStep);
    });
    connect(m_ui->FilterBox, qOverload<int>(&QComboBox::activated), this, &Import::FilterBoxClick);
    connect(m_ui->mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->mnuImportFilter, &QAction::triggered, this, &Import::SetFilter);
    connect(m_ui->mnuImportImport, &QAction::triggered, this, &Import::ImportFile);
    connect(m_ui->mnuImportExport, &QAction::triggered, this, [this] { ExportFile(false); });
    connect(m_ui->mnuImportMailMerge, &QAction::triggered, this, [this] { ExportFile(true); });
    m_ui->CurrentList->installEventFilter(this);
    m_confirmPreview = [](ImportPreview& preview) { return preview.exec() == QDialog::Accepted; };
}

Import::~Import() = default;

QList<int> Import::ChosenFields() const {
    QList<int> fields;
    for (int i = 0; i < m_ui->CurrentList->count(); ++i)
        fields << m_ui->CurrentList->item(i)->data(Qt::UserRole).toInt();
    return fields;
}

Delimiter Import::ChosenDelimiter() const {
    if (m_ui->CsvOption->isChecked())
        return Delimiter::Csv;
    return m_ui->TabOption->isChecked() ? Delimiter::Tab : Delimiter::QuoteComma;
}

void Import::RefillFilterBox() {
    m_loading = true;
    ::FillFilterBox(m_ui->FilterBox);
    m_loading = false;
}

void Import::AddItem() {
    QListWidgetItem* chosen = m_ui->AvailableList->currentItem();
    if (chosen)
        AddListItem(m_ui->CurrentList, chosen->data(Qt::UserRole).toInt());
}

void Import::RemoveItems() {
    qDeleteAll(m_ui->CurrentList->selectedItems());
}

void Import::MoveItem(int step) {
    QListWidget* list = m_ui->CurrentList;
    const int row = list->currentRow();
    if (row < 0 || !list->currentItem()->isSelected())
        return;
    const int target = row + step;
    if (target < 0 || target >= list->count())
        return;
    QListWidgetItem* item = list->takeItem(row);
    list->insertItem(target, item);
    list->clearSelection();
    list->setCurrentItem(item);
    item->setSelected(true);
}

void Import::StartRepeat(int step) {
    m_repeatStep = step;
    MoveItem(step);
    m_timer->setInterval(500);
    m_timer->start();
}

bool Import::eventFilter(QObject* watched, QEvent* event) {
    // Up and Down with Shift, Ctrl or Alt move the selected entry instead of the selection.
    if (watched == m_ui->CurrentList && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool modified =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (modified && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            MoveItem(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return ModalWindow::eventFilter(watched, event);
}

void Import::FilterBoxClick(int index) {
    if (m_loading || index < 0)
        return;
    const qint64 id = m_ui->FilterBox->itemData(index).toLongLong();
    if (id < 1) {
        m_control->SetCurrentFilter(0);
        return;
    }
    m_filters->SetID(id);
    m_control->SetCurrentFilter(m_filters->ID());
}

void Import::SetFilter() {
    if (m_openFilterEditor)
        m_openFilterEditor(this);
    else
        SorryBox("The filter editor is not available in this version.");
    RefillFilterBox();
}

void Import::ImportFile() {
    const bool csv = ChosenDelimiter() == Delimiter::Csv;
    const QString path =
        Dialogs::Current().OpenFileName(windowTitle(), QString(),
                                        csv ? "CSV Files (*.csv);;Text Files (*.txt);;All Files (*)"
                                            : "Lettrino Transfer Files (*.ltx);;Text Files "
                                              "(*.txt);;CSV Files (*.csv);;All Files (*)");
    // The file must exist: a name the dialog can't take back ends the command silently.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    ImportOptions options;
    options.fields = ChosenFields();
    options.delimiter = ChosenDelimiter();
    ImportPreview preview(path, options, this);
    if (preview.Readable()) {
        if (!m_confirmPreview(preview))
            return;
        options = preview.ChosenOptions();
    }
    // A file that can't be read is refused by the import with its message.
    Progress progress(this, "Importing " + path);
    const ImportResult result = ImportTextFile(path, options, progress.Handler());
    if (result.unreadable || result.notText || result.failed)
        return; // told by its message
    const QString report = ImportReportText(result);
    InfoBox(result.cancelled ? "Import stopped. " + report : report);
}

void Import::ExportFile(bool mailMerge) {
    if (m_list->Records() < 1) {
        Ding();
        return;
    }
    const QString filters = mailMerge ? "Mail Merge Text Files (*.txt)"
                            : ChosenDelimiter() == Delimiter::Csv
                                ? "CSV Files (*.csv)"
                                : "Lettrino Transfer Files (*.ltx);;Text Files (*.txt)";
    const QString path = Dialogs::Current().SaveFileName(windowTitle(), QString(), filters);
    if (path.isEmpty())
        return;
    if (!ValidTargetPath(path)) {
        InfoBox("Invalid path name: \n" + path);
        return;
    }
    ExportOptions options;
    options.fields = ChosenFields();
    options.delimiter = ChosenDelimiter();
    options.skip = NthSelectValue(m_ui->StartWithBox->text());
    options.interval = NthSelectValue(m_ui->IntervalBox->text());
    options.mailMerge = mailMerge;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString failure;
    WriteResult result = WriteResult::Written;
    try {
        Progress progress(this, "Writing " + path);
        result = WriteDelimitedFile(path, options, progress.Handler());
    } catch (const EngineError& error) {
        failure = ExportFailureText(error, mailMerge, path);
    }
    QApplication::restoreOverrideCursor();
    if (!failure.isEmpty())
        InfoBox(failure);
    else if (result == WriteResult::Cancelled)
        InfoBox("Stopped. No file was written.\n" + path);
}
