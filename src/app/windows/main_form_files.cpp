// The list-file commands of the main window: opening another list, making a new one,
// choosing the backup folder, backing the list up and compacting it. Opening, backing up
// and compacting release the record stores first and open the list again afterwards; a
// list that will not open again stops the program.

#include "app/dialogs.h"
#include "app/list_file_texts.h"
#include "app/messages.h"
#include "app/settings.h"
#include "app/windows/busy_pointer.h"
#include "app/windows/main_form.h"
#include "database/damage_notes.h"
#include "database/engine_error.h"
#include "database/list_file_operations.h"
#include "database/new_database.h"
#include "database/repair.h"
#include "database/windows/new_list.h"

#include <QApplication>
#include <QTimer>

namespace {

const QString kDatabaseFilter = QStringLiteral("Database Files (*.mdb)");
const QString kDatabase = QStringLiteral("Database");
const QString kBackPath = QStringLiteral("BackPath");

// A setting read trimmed, with the fallback when it is missing or blank.
QString TrimmedSetting(const QString& key, const QString& fallback) {
    const QString value = GetSetting(kDatabase, key, QString()).trimmed();
    return value.isEmpty() ? fallback : value;
}

} // namespace

void MainForm::OpenMailingList() {
    if (Busy()) {
        Ding();
        return;
    }
    const QString previous = ListIsOpen() ? CurrentListSetting() : QString();
    CloseCurrentList();
    const QString path = Dialogs::Current().OpenFileName(QStringLiteral("Open Mailing List"),
                                                         QString(), kDatabaseFilter);
    // A cancelled dialog leaves no list open until one is opened.
    if (path.isEmpty())
        return;
    SaveCurrentListSetting(path);
    if (OpenCurrentList())
        return;
    // The chosen file is no list, and the user has been told why. The list that was open
    // is opened again rather than ending the run over a wrong choice.
    if (previous.isEmpty())
        return;
    SaveCurrentListSetting(previous);
    if (!OpenCurrentList())
        ShowFatalError(1, QStringLiteral("Couldn't open a database"));
}

void MainForm::NewMailingList() {
    if (Busy()) {
        Ding();
        return;
    }
    // The new list is made beside the open one, which stays open and current.
    NewList window(this);
    window.exec();
}

void MainForm::SetBackupPath() {
    QString folder = BackupFolderSetting();
    if (!Dialogs::Current().InputText(QStringLiteral("Please enter the path to the drive or "
                                                     "directory where you normally send backups"),
                                      QStringLiteral("Define Default Backup Path"), folder))
        return;
    folder = BackupFolderEntry(folder);
    if (folder.isEmpty())
        return;
    SaveSetting(kDatabase, kBackPath, folder);
}

void MainForm::BackupList() {
    if (!NeedsList())
        return;
    // The list is closed and opened again around the copy, which would lose a record
    // being typed or edited.
    if (Busy()) {
        Ding();
        return;
    }
    const QString current = TrimmedSetting(QStringLiteral("CurrentDatabase"), "MyMail.mdb");
    const QString proposal = BackupProposal(BackupFolderSetting(), current);
    const QString target = Dialogs::Current().SaveFileName(QStringLiteral("Backup Mailing List"),
                                                           proposal, kDatabaseFilter);
    // A cancelled dialog changes nothing: the list was never closed. Nor does a backup
    // onto the list itself.
    if (target.isEmpty() || RefuseCurrentListPath(target))
        return;
    {
        const BusyPointer busy;
        QCoreApplication::processEvents();
        CloseCurrentList();
        try {
            BackupListFile(current, target);
            InfoBox(QStringLiteral("Backup complete."));
        } catch (const EngineError& error) {
            if (error.IsDamagedFile())
                RepairDamagedList(current);
            else
                InfoBox(BackupFailureText(error));
        }
    }
    if (!OpenCurrentList())
        ShowFatalError(2, QStringLiteral("Couldn't open the database after backup."));
}

void MainForm::OfferRepairOfDamage() {
    if (QApplication::activeModalWidget() || Busy()) {
        QTimer::singleShot(500, this, &MainForm::OfferRepairOfDamage);
        return;
    }
    m_repairPending = false;
    const QString damaged = TakeDamagedCurrentList();
    if (damaged.isEmpty() || !ListIsOpen())
        return;
    CloseCurrentList();
    RepairDamagedList(damaged);
    if (!OpenCurrentList())
        ShowFatalError(4, QStringLiteral("Couldn't open the mailing list after the repair"));
}

void MainForm::CompactList() {
    if (!NeedsListAndIdle())
        return;
    const QString current = CurrentListSetting();
    QString failure;
    QString done;
    {
        const BusyPointer busy;
        CloseCurrentList();
        try {
            // The previous version stays as the BAK file; a failure leaves the list as it
            // was and removes the work file.
            done = CompactDoneText(current, CompactListFile(current));
        } catch (const EngineError& error) {
            if (error.IsDamagedFile())
                RepairDamagedList(current);
            else
                failure = CompactFailureText(error);
        }
    }
    if (failure.isEmpty()) {
        if (!done.isEmpty())
            InfoBox(done);
        OpenCurrentList();
        return;
    }
    SorryBox(failure);
    if (!OpenCurrentList())
        ShowFatalError(4, QStringLiteral("Couldn't open the mailing list after compaction"));
}
