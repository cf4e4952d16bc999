#include "printing/windows/window_run_host.h"

#include "printing/windows/print_label_select.h"

#include <QAbstractButton>
#include <QApplication>

WindowRunHost::WindowRunHost(QWidget* window, QAbstractButton* stopButton,
                             QAbstractButton* stopBetweenSheets)
    : m_window(window), m_stopButton(stopButton), m_stopBetweenSheets(stopBetweenSheets) {}

WindowRunHost::~WindowRunHost() {
    SetBusy(false);
}

void WindowRunHost::ShowStopButton(bool visible) {
    m_stopButton->setVisible(visible);
}

void WindowRunHost::ClearStopBetweenSheets() {
    m_stopBetweenSheets->setChecked(false);
}

void WindowRunHost::SetBusy(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void WindowRunHost::Yield() {
    QCoreApplication::processEvents();
}

ContinueDecision WindowRunHost::AskContinue() {
    if (!m_select)
        m_select = std::make_unique<PrintLabelSelect>(m_window);
    return m_select->Ask();
}

void WindowRunHost::RunFinished() {
    m_select.reset();
}
