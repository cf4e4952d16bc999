// The record commands of the main window (new, edit, save, cancel, delete, copy, the two
// flags) and the moves through the list, with the auto-repeating up and down buttons.

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/value_formats.h"
#include "app/windows/main_form.h"
#include "database/control_core.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "ui_main_form.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

namespace {
// The auto-repeat: the first repeat after half a second, then five moves a second.
constexpr int kFirstRepeatMs = 500;
constexpr int kRepeatMs = 200;
} // namespace

void MainForm::UpdateEditControls() {
    const bool busy = Busy();
    ui->mnuEditSave->setVisible(busy);
    ui->mnuEditCancel->setVisible(busy);
    ui->Toolbar1Save->setEnabled(busy);
    ui->CancelButton->setVisible(busy);
}

void MainForm::ReloadRecord() {
    // A new record that the filter does not select is current in the store but not in its
    // set: it is shown as it stands.
    if (!m_list->CurrentOutsideSet() || m_list->ID() != m_currentId)
        m_list->SetID(m_currentId);
    ShowRecord();
}

void MainForm::NewRecord() {
    if (!ListIsOpen()) {
        MustOpenList();
        ClearRecord();
        return;
    }
    if (m_editing) {
        InfoBox(QStringLiteral("You are editing a record"));
        return;
    }
    m_entering = true;
    if (m_control->CurrentTemplate() > 0)
        FillFromTemplate();
    else
        ClearRecord();
    ui->CancelButton->setText(QStringLiteral("&Cancel Entering"));
    UpdateEditControls();
    ui->NameBox->setFocus(Qt::OtherFocusReason);
}

void MainForm::EditRecord() {
    if (!NeedsList())
        return;
    if (!ListHasRecords() || m_entering) {
        Ding();
        return;
    }
    m_editing = true;
    ui->CancelButton->setText(QStringLiteral("&Cancel Edit"));
    UpdateEditControls();
    ui->NameBox->setFocus(Qt::OtherFocusReason);
}

void MainForm::SaveRecord() {
    if (!Busy() || !ListIsOpen())
        return;
    const ListRecord record = RecordFromArea();
    // The store reports its own failures; the typed record then stays on screen.
    const bool saved = m_entering ? m_list->NewRecord(record) : m_list->UpdateRecord(record);
    if (!saved)
        return;
    m_currentId = m_list->ID();
    if (m_entering) {
        ui->RecordCountBox->setText(QString::number(m_list->Records()));
        if (m_list->CurrentOutsideSet() && !m_toldOutsideFilter) {
            m_toldOutsideFilter = true;
            InfoBox(QStringLiteral("The new record is not selected by the current filter."));
        }
        // Continuous entry: a fresh record to type, until Cancel.
        NewRecord();
    } else {
        m_editing = false;
        ReloadRecord();
    }
    m_dirty = false;
    UpdateEditControls();
}

void MainForm::CancelInput() {
    if (!ListIsOpen())
        return;
    if (m_entering) {
        bool reload = true;
        if (m_dirty) {
            Ding();
            if (Dialogs::Current().AskYesNo(QStringLiteral("Save current record?"),
                                            QStringLiteral("Record was not saved"),
                                            MessageIcon::Question)) {
                SaveRecord();
                // A record the store refused stays on screen to be put right.
                if (m_dirty)
                    return;
            } else {
                reload = false;
                // The store is stepped away and back to read its record afresh; at the end of
                // the list it stays where it is.
                if (ListHasRecords() && m_list->MoveUp())
                    m_list->MoveDown();
            }
        }
        if (reload && ListHasRecords()) {
            m_currentId = m_list->ID();
            ReloadRecord();
        }
    }
    ShowRecord();
    m_entering = false;
    m_editing = false;
    m_toldOutsideFilter = false;
    UpdateEditControls();
}

void MainForm::DeleteRecord() {
    if (!NeedsList())
        return;
    if (m_entering) {
        ClearRecord();
        m_dirty = false;
        return;
    }
    if (!ListHasRecords() || m_editing) {
        Ding();
        return;
    }
    if (!Dialogs::Current().AskYesNo(QStringLiteral("Delete this Record?"), ApplicationTitle(),
                                     MessageIcon::None))
        return;
    if (!m_list->DeleteRecord())
        return;
    if (ListHasRecords()) {
        ShowRecord();
    } else {
        ClearRecord();
        m_currentId = 0;
    }
    ui->RecordCountBox->setText(QString::number(m_list->Records()));
}

void MainForm::CopyAddress() {
    if (!NeedsList())
        return;
    if (!ListHasRecords()) {
        Ding();
        return;
    }
    if (ui->NameBox->text().trimmed().isEmpty())
        return;
    // The boxes as they stand on screen, so a record being typed can be copied too.
    const QString text = ReverseName(ui->NameBox->text(), true) + "\r\n" +
                         ui->AddressBox->toPlainText().trimmed().replace("\n", "\r\n") + "\r\n" +
                         ui->CityBox->text().trimmed() + ", " + ui->StateBox->text().trimmed() +
                         " " + ui->ZipBox->text().trimmed();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void MainForm::MarkRecord() {
    ui->MarkedCheck->click();
}

void MainForm::ToggleImportedFlag() {
    ui->ImportedCheck->click();
}

void MainForm::FirstRecord() {
    if (!NeedsListAndIdle())
        return;
    if (ListHasRecords()) {
        m_list->FirstRecord();
        ShowRecord();
    }
}

void MainForm::LastRecord() {
    if (!NeedsListAndIdle())
        return;
    if (ListHasRecords()) {
        m_list->LastRecord();
        ShowRecord();
    }
}

void MainForm::UpOneRecord() {
    if (!NeedsList())
        return;
    if (ListHasRecords()) {
        if (Busy()) {
            Ding();
        } else {
            m_list->MoveDown();
            ShowRecord();
        }
    }
    m_repeatUp = true;
}

void MainForm::DownOneRecord() {
    if (!NeedsList())
        return;
    if (ListHasRecords()) {
        if (Busy()) {
            Ding();
        } else {
            m_list->MoveUp();
            ShowRecord();
        }
    }
    m_repeatUp = false;
}

void MainForm::RepeatButtonPressed(bool up) {
    if (!NeedsList())
        return;
    if (up)
        UpOneRecord();
    else
        DownOneRecord();
    m_timer->setInterval(kFirstRepeatMs);
    m_timer->start();
}

void MainForm::RepeatTimerTick() {
    m_timer->setInterval(kRepeatMs);
    if (m_repeatUp)
        UpOneRecord();
    else
        DownOneRecord();
}
