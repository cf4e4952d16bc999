#pragma once

#include "filters/duplicate_check_host.h"

#include <QDialog>
#include <QElapsedTimer>
#include <memory>

class ListCore;
namespace Ui {
class CheckDup;
}

// "Checking for duplicates": runs the duplicate check over the whole list with a progress
// bar, the ZIP code in hand and the number of possible duplicates found. Quit stops a
// running check (the window stays open) and closes the window when idle.
class CheckDup : public QDialog, private DuplicateCheckHost {
    Q_OBJECT
public:
    explicit CheckDup(QWidget* parent = nullptr);
    ~CheckDup() override;

    // True while a check runs.
    bool Running() const { return m_running; }
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Go();
    void Quit();
    // Shows the progress as last reported.
    void ShowProgress();

    void Starting(qint64 records) override;
    void Visiting(qint64 visited, const QString& zipKey) override;
    bool KeepGoing() override;

    std::unique_ptr<Ui::CheckDup> m_ui;
    std::unique_ptr<ListCore> m_list;
    // Set while idle and when a stop is asked for; cleared while a check runs.
    bool m_stop = true;
    bool m_running = false;
    bool m_closeWhenStopped = false;
    qint64 m_visited = 0;
    QString m_zipKey;
    // Time since the window last handled its events during a check.
    QElapsedTimer m_sinceEvents;
};
