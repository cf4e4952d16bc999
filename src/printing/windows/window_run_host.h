#pragma once

#include "printing/label_run_host.h"

#include <memory>

class PrintLabelSelect;
class QAbstractButton;
class QWidget;

// The host of a label or report run started from a window: it shows the window's "Stop
// Printing" button while the run lasts and notes its click, unticks the window's "Stop
// Between Sheets" box when the user chooses to print the rest, shows the busy pointer, and
// asks "Continue Printing?" over the window.
class WindowRunHost : public LabelRunHost {
public:
    WindowRunHost(QWidget* window, QAbstractButton* stopButton, QAbstractButton* stopBetweenSheets);
    ~WindowRunHost() override;
    WindowRunHost(const WindowRunHost&) = delete;
    WindowRunHost& operator=(const WindowRunHost&) = delete;

    // "Stop Printing" was clicked.
    void RequestStop() { m_stopRequested = true; }

    void ShowStopButton(bool visible) override;
    void ClearStopRequest() override { m_stopRequested = false; }
    bool StopRequested() const override { return m_stopRequested; }
    void ClearStopBetweenSheets() override;
    void SetBusy(bool busy) override;
    void Yield() override;
    ContinueDecision AskContinue() override;
    void RunFinished() override;

private:
    QWidget* m_window;
    QAbstractButton* m_stopButton;
    QAbstractButton* m_stopBetweenSheets;
    std::unique_ptr<PrintLabelSelect> m_select;
    bool m_stopRequested = false;
    bool m_busy = false;
};
