#include "filters/windows/convert.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/switch_names.h"
#include "app/windows/busy_pointer.h"
#include "app/windows/fill_filter_box.h"
#include "app/windows/help_window.h"
#include "app/windows/select_all.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/list_core.h"
#include "filters/bulk_conversion.h"
#include "filters/context_search.h"
#include "ui_convert.h"

#include <QApplication>
#include <QEvent>
#include <QProgressDialog>
#include <QTimer>

namespace {

const QString kNoSwitches = QStringLiteral("0000000000000000");
const QString kNoneAvailable = QStringLiteral("No records are available with this filter.");
const QString kChecking = QStringLiteral("Checking");

} // namespace

Convert::Convert(QWidget* parent) : ModalWindow(parent), m_ui(std::make_unique<Ui::Convert>()) {
    AddHelpKey(this, kHelpConvert);
    m_ui->setupUi(this);
    for (int i = 0; i < 16; ++i)
        m_switches[size_t(i)] = findChild<QCheckBox*>(QStringLiteral("Switch%1").arg(i));

    m_loading = true;
    FillFilterBox(m_ui->FilterBox);
    m_control = std::make_unique<ControlCore>();
    m_filters = std::make_unique<FilterCore>();
    m_list = std::make_unique<ListCore>();
    Count();
    if (m_list->Records() < 1) {
        InfoBox(QStringLiteral("No mailing list."));
        m_loading = false;
        return;
    }
    for (int code = 0; code < kContextFieldCount; ++code) {
        auto* entry =
            new QListWidgetItem(ContextFieldCaption(ContextField(code)), m_ui->ContextList);
        entry->setData(Qt::UserRole, code);
    }
    const SwitchNameArray& names = SwitchNames();
    for (size_t i = 0; i < m_switches.size(); ++i)
        m_switches[i]->setText(names[i]);
    m_loading = false;
    m_loaded = true;

    m_ui->Toolbar1Filter->setData(QStringLiteral("Filter"));
    m_ui->Toolbar1Clear->setData(QStringLiteral("Clear"));
    connect(m_ui->Toolbar1, &QToolBar::actionTriggered, this, &Convert::ToolbarClick);
    connect(m_ui->FilterBox, &QComboBox::activated, this, &Convert::FilterBoxClick);
    connect(m_ui->mnuFileClear, &QAction::triggered, this, &Convert::ClearCriteria);
    connect(m_ui->mnuFileFilter, &QAction::triggered, this, &Convert::SetFilter);
    connect(m_ui->mnuFilePurge, &QAction::triggered, this, &Convert::Purge);
    connect(m_ui->mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->mnuConvertMarksToSwitches, &QAction::triggered, this, &Convert::MarksToSwitches);
    connect(m_ui->mnuConvertMarksToCode, &QAction::triggered, this, &Convert::MarksToCode);
    connect(m_ui->mnuConvertImportFlagsToSwitches, &QAction::triggered, this,
            &Convert::ImportFlagsToSwitches);
    connect(m_ui->mnuConvertImportFlagsToCode, &QAction::triggered, this,
            &Convert::ImportFlagsToCode);
    connect(m_ui->mnuMarkFromFilterSetting, &QAction::triggered, this, &Convert::MarkFromFilter);
    connect(m_ui->mnuMarkFromContextSearch, &QAction::triggered, this,
            &Convert::MarkFromContextSearch);
    connect(m_ui->mnuTurnOffSwitches, &QAction::triggered, this, &Convert::TurnOffSwitches);
    connect(m_ui->mnuTurnOffAllMarks, &QAction::triggered, this, &Convert::TurnOffAllMarks);
    connect(m_ui->mnuTurnOffFilterMarks, &QAction::triggered, this, &Convert::TurnOffFilterMarks);
    connect(m_ui->mnuTurnOffAllImportFlags, &QAction::triggered, this,
            &Convert::TurnOffAllImportFlags);
    connect(m_ui->mnuTurnOfFilterfImportFlags, &QAction::triggered, this,
            &Convert::TurnOffFilterImportFlags);
    m_ui->CodeBox->installEventFilter(this);
    m_ui->ContextBox->installEventFilter(this);
}

Convert::~Convert() = default;

void Convert::SetFilterEditorOpener(std::function<void(QWidget*)> opener) {
    m_openFilterEditor = std::move(opener);
}

bool Convert::eventFilter(QObject* watched, QEvent* event) {
    // A click into the code or search box, or the focus given to it, selects its text.
    if (watched == m_ui->CodeBox || watched == m_ui->ContextBox) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonRelease) {
            auto* box = static_cast<QLineEdit*>(watched);
            // After the mouse has placed the caret.
            QTimer::singleShot(0, box, [box] { SelectAll(box); });
        }
    }
    return ModalWindow::eventFilter(watched, event);
}

void Convert::Count() {
    m_list->SetCurrentFilter();
    m_ui->CountBox->setText(QString::number(m_list->Records()));
}

void Convert::FilterBoxClick(int index) {
    if (m_loading || index < 0)
        return;
    const qint64 id = m_ui->FilterBox->itemData(index).toLongLong();
    if (id < 1) {
        m_control->SetCurrentFilter(0);
    } else {
        m_filters->SetID(id);
        m_control->SetCurrentFilter(m_filters->ID());
    }
    Count();
}

void Convert::SetFilter() {
    if (m_openFilterEditor)
        m_openFilterEditor(this);
    else
        SorryBox(QStringLiteral("The filter editor is not available in this version."));
    m_loading = true;
    FillFilterBox(m_ui->FilterBox);
    m_loading = false;
    Count();
}

void Convert::ClearCriteria() {
    for (QCheckBox* box : m_switches)
        box->setChecked(false);
    m_ui->CodeBox->clear();
    m_ui->ContextBox->clear();
}

void Convert::ToolbarClick(QAction* button) {
    const QString key = button->data().toString();
    if (key.compare(QLatin1String("Filter"), Qt::CaseInsensitive) == 0)
        SetFilter();
    else if (key.compare(QLatin1String("Clear"), Qt::CaseInsensitive) == 0)
        ClearCriteria();
}

QString Convert::SelectedSwitches() const {
    std::array<bool, 16> ticked{};
    for (size_t i = 0; i < m_switches.size(); ++i)
        ticked[i] = m_switches[i]->isChecked();
    return BulkConversion::SelectedSwitches(ticked);
}

bool Convert::Warn(const QString& firstLine, bool beep) {
    if (beep)
        Ding();
    return Dialogs::Current().AskYesNo(firstLine +
                                           QStringLiteral("\r\nAre you sure you want to do this?"),
                                       QStringLiteral("Warning!"), MessageIcon::Warning);
}

bool Convert::FilterHasRecords() {
    if (m_list->Records() >= 1)
        return true;
    InfoBox(kNoneAvailable);
    return false;
}

BulkOutcome Convert::RunBulk(const QString& label,
                             const std::function<BulkOutcome(BulkConversion&)>& change) {
    QProgressDialog progress(label, QStringLiteral("Stop"), 0, 1000, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(1000);
    progress.setAutoClose(true);
    progress.setValue(0);
    BulkConversion bulk(*m_list, [&progress](qint64 done, qint64 total) {
        progress.setValue(total > 0 ? int(done * 1000 / total) : 0);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    BulkOutcome outcome;
    {
        BusyPointer busy;
        outcome = change(bulk);
    }
    progress.reset();
    if (outcome.stopped)
        InfoBox(QStringLiteral("Stopped. %1 records were changed.").arg(outcome.changed));
    return outcome;
}

void Convert::RunStoreChange(const std::function<void()>& change) {
    BusyPointer busy;
    change();
}

void Convert::MarksToCode() {
    m_list->SetMarkedRecordset();
    const qint64 records = m_list->Records();
    if (records < 1) {
        InfoBox(QStringLiteral("No records are marked."));
    } else if (Warn(QStringLiteral("You are about to convert %1 marks to codes").arg(records),
                    true)) {
        const QString code = m_ui->CodeBox->text();
        RunBulk(QStringLiteral("Converting marks to codes..."),
                [&code](BulkConversion& bulk) { return bulk.WriteCode(code, BulkFlag::Marked); });
    }
    Count();
}

void Convert::MarksToSwitches() {
    m_list->SetMarkedRecordset();
    const qint64 records = m_list->Records();
    const QString selected = SelectedSwitches();
    if (records < 1) {
        InfoBox(QStringLiteral("No records are marked."));
    } else if (selected == kNoSwitches) {
        InfoBox(QStringLiteral("No switches are checked"));
    } else if (Warn(QStringLiteral("You are about to convert %1 marks to switches").arg(records),
                    true)) {
        RunBulk(QStringLiteral("Converting marks to switches..."),
                [&selected](BulkConversion& bulk) {
                    return bulk.AddSwitches(selected, BulkFlag::Marked);
                });
    }
    Count();
}

void Convert::ImportFlagsToCode() {
    m_list->SetImportedFlagRecordset();
    const qint64 records = m_list->Records();
    if (records < 1) {
        InfoBox(QStringLiteral("No records are imported."));
    } else if (Warn(
                   QStringLiteral("You are about to convert %1 import flags to codes").arg(records),
                   true)) {
        const QString code = m_ui->CodeBox->text();
        RunBulk(QStringLiteral("Converting import flags to codes..."),
                [&code](BulkConversion& bulk) { return bulk.WriteCode(code, BulkFlag::Imported); });
    }
    Count();
}

void Convert::ImportFlagsToSwitches() {
    m_list->SetImportedFlagRecordset();
    const qint64 records = m_list->Records();
    const QString selected = SelectedSwitches();
    if (records < 1) {
        InfoBox(QStringLiteral("No records are imported."));
    } else if (selected == kNoSwitches) {
        InfoBox(QStringLiteral("No switches have been checked"));
    } else if (Warn(QStringLiteral("You are about to convert %1 imported flags to switches")
                        .arg(records),
                    false)) {
        RunBulk(QStringLiteral("Converting import flags to switches..."),
                [&selected](BulkConversion& bulk) {
                    return bulk.AddSwitches(selected, BulkFlag::Imported);
                });
    }
    Count();
}

void Convert::Purge() {
    if (!FilterHasRecords())
        return;
    const QString line = QStringLiteral("YOU ARE ABOUT TO DELETE %1 RECORDS FROM YOUR MAILING LIST")
                             .arg(m_list->Records());
    if (!Warn(line, true))
        return;
    // The count shown stays as it was.
    RunStoreChange([this] { m_list->DeleteRecordset(); });
}

void Convert::MarkFromFilter() {
    if (!FilterHasRecords())
        return;
    const QString line = QStringLiteral("You are about to mark %1 records from a filter setting")
                             .arg(m_list->Records());
    if (!Warn(line, false))
        return;
    if (Dialogs::Current().AskYesNo(QStringLiteral("Do you want to clear the marks first?"),
                                    ApplicationTitle(), MessageIcon::Question))
        RunStoreChange([this] { m_list->ResetMarks(true); });
    RunBulk(QStringLiteral("Marking the records of the filter..."),
            [](BulkConversion& bulk) { return bulk.MarkAll(); });
}

void Convert::MarkFromContextSearch() {
    if (m_list->Records() < 1) {
        InfoBox(QStringLiteral("There are no records to search."));
        return;
    }
    // An empty text searches for blank fields.
    const QString text = m_ui->ContextBox->text().trimmed();
    QListWidgetItem* field = m_ui->ContextList->currentItem();
    if (!field || !field->isSelected()) {
        InfoBox(QStringLiteral("You must select a field to search."));
        return;
    }
    if (!AreYouSure(kChecking))
        return;
    if (Dialogs::Current().AskYesNo(QStringLiteral("Do you want to clear the marks first?"),
                                    ApplicationTitle(), MessageIcon::Question))
        RunStoreChange([this] { m_list->ResetMarks(false); });
    const auto searched = ContextField(field->data(Qt::UserRole).toInt());
    const bool invert = m_ui->NotCheck->isChecked();
    RunBulk(QStringLiteral("Searching..."),
            [&](BulkConversion& bulk) { return bulk.MarkMatches(searched, text, invert); });
}

void Convert::TurnOffSwitches() {
    if (!FilterHasRecords())
        return;
    const QString selected = SelectedSwitches();
    if (selected == kNoSwitches) {
        InfoBox(QStringLiteral("No switches are checked"));
        return;
    }
    if (!AreYouSure(kChecking))
        return;
    RunBulk(QStringLiteral("Turning off switches..."),
            [&selected](BulkConversion& bulk) { return bulk.TurnOffSwitches(selected); });
}

void Convert::TurnOffAllMarks() {
    if (AreYouSure(kChecking))
        RunStoreChange([this] { m_list->ResetMarks(true); });
}

void Convert::TurnOffFilterMarks() {
    if (FilterHasRecords() && AreYouSure(kChecking))
        RunStoreChange([this] { m_list->ResetMarks(false); });
}

void Convert::TurnOffAllImportFlags() {
    if (AreYouSure(kChecking))
        RunStoreChange([this] { m_list->ResetImportFlags(true); });
}

void Convert::TurnOffFilterImportFlags() {
    if (FilterHasRecords() && AreYouSure(kChecking))
        RunStoreChange([this] { m_list->ResetImportFlags(false); });
}
