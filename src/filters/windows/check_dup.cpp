#include "filters/windows/check_dup.h"

#include "app/messages.h"
#include "app/windows/center_form.h"
#include "app/windows/help_window.h"
#include "database/list_core.h"
#include "filters/duplicate_check.h"
#include "ui_check_dup.h"

#include <QApplication>
#include <QCloseEvent>
#include <algorithm>
#include <limits>

namespace {

// How often a running check lets the window handle events and redraw its progress.
constexpr qint64 kEventsEveryMs = 20;

} // namespace

CheckDup::CheckDup(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::CheckDup>()) {
    AddHelpKey(this, kHelpDuplicates);
    m_ui->setupUi(this);
    CenterForm(this);
    m_list = std::make_unique<ListCore>();
    m_stop = true;
    connect(m_ui->GoButton, &QPushButton::clicked, this, &CheckDup::Go);
    connect(m_ui->QuitButton, &QPushButton::clicked, this, &CheckDup::Quit);
}

CheckDup::~CheckDup() = default;

void CheckDup::Go() {
    // A second Go while a check runs must not start a second pass.
    if (m_running)
        return;
    m_running = true;
    m_stop = false;
    m_closeWhenStopped = false;
    m_ui->GoButton->setEnabled(false);
    m_sinceEvents.invalidate();

    DuplicateCheck check(*m_list, *this);
    const DuplicateCheck::Result result = check.Run(m_ui->SecondRecordCheck->isChecked());
    ShowProgress();
    // A stopped check leaves the count of the one before.
    if (result.outcome == DuplicateCheck::Outcome::Finished)
        m_ui->CountBox->setText(QString::number(result.found));

    m_stop = true;
    m_running = false;
    m_ui->GoButton->setEnabled(true);
    if (m_closeWhenStopped)
        close();
}

void CheckDup::Quit() {
    if (m_running)
        m_stop = true;
    else
        close();
}

void CheckDup::reject() {
    // Escape during a check stops it; the window closes once the check has ended.
    if (m_running) {
        m_stop = true;
        m_closeWhenStopped = true;
        return;
    }
    QDialog::reject();
}

void CheckDup::closeEvent(QCloseEvent* event) {
    if (m_running) {
        m_stop = true;
        m_closeWhenStopped = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CheckDup::ShowProgress() {
    m_ui->Progress->setValue(int(std::min<qint64>(m_visited, m_ui->Progress->maximum())));
    m_ui->ZipBox->setText(m_zipKey);
}

void CheckDup::Starting(qint64 records) {
    m_visited = 0;
    m_ui->Progress->setMaximum(int(std::min<qint64>(records, std::numeric_limits<int>::max())));
    m_ui->Progress->setValue(0);
}

void CheckDup::Visiting(qint64 visited, const QString& zipKey) {
    m_visited = visited;
    m_zipKey = zipKey;
}

bool CheckDup::KeepGoing() {
    if (!m_sinceEvents.isValid() || m_sinceEvents.elapsed() >= kEventsEveryMs) {
        ShowProgress();
        QApplication::processEvents();
        m_sinceEvents.start();
    }
    return !m_stop;
}
