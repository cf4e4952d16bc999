#include "database/windows/new_list.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/windows/center_form.h"
#include "app/windows/help_window.h"
#include "database/engine_error.h"
#include "database/make_new_list.h"
#include "database/new_list_path.h"
#include "database/upgrade.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QCheckBox* AddCheck(QWidget* parent, QVBoxLayout* layout, const char* name, const char* caption,
                    bool enabled) {
    auto* check = new QCheckBox(QString::fromLatin1(caption), parent);
    check->setObjectName(QString::fromLatin1(name));
    check->setChecked(enabled);
    check->setEnabled(enabled);
    layout->addWidget(check);
    return check;
}

} // namespace

NewList::NewList(QWidget* parent) : QDialog(parent) {
    AddHelpKey(this, kHelpNewList);
    setObjectName("NewList");
    setWindowTitle("Make a New Mailing List");
    setModal(true);
    // The check boxes mean something only when a list is current to take things from.
    const bool haveCurrent = CurrentListReadable(NewListCurrentPath());

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox("Options", this);
    frame->setObjectName("Frame1");
    auto* frameLayout = new QVBoxLayout(frame);
    m_templateCheck =
        AddCheck(frame, frameLayout, "TemplateCheck", "Transfer Templates", haveCurrent);
    m_namesCheck = AddCheck(frame, frameLayout, "NamesCheck", "Transfer Switch Names", haveCurrent);
    m_filterCheck = AddCheck(frame, frameLayout, "FilterCheck", "Transfer Filters", haveCurrent);
    layout->addWidget(frame);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelButton");
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &NewList::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    adjustSize();
    CenterForm(this);
}

void NewList::OKButtonClick() {
    const QString current = NewListCurrentPath();
    try {
        UpgradeDatabase(current);
    } catch (...) {
        // The list stays as it is; MakeNewList opens it again when it is needed.
    }
    const bool noCurrent = !CurrentListReadable(current);
    QString path =
        Dialogs::Current().SaveFileName(windowTitle(), QString(), "Database Files (*.mdb)");
    if (path.isEmpty()) {
        reject();
        return;
    }
    path = NewListFileName(path);
    if (!ValidTargetPath(path)) {
        InfoBox("Invalid path name: \n" + path);
        reject();
        return;
    }
    NewListOptions options;
    options.templates = m_templateCheck->isChecked();
    options.switchNames = m_namesCheck->isChecked();
    options.filters = m_filterCheck->isChecked();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    QString failure;
    try {
        MakeNewList(path, noCurrent, options);
    } catch (const EngineError& error) {
        failure = NewListFailureText(error.Number());
    }
    QApplication::restoreOverrideCursor();
    if (!failure.isEmpty())
        InfoBox(failure);
    accept();
}
