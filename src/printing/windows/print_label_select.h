#pragma once

#include "printing/label_run_host.h"

#include <QDialog>

class QPushButton;

// "Continue Printing?": asked after each sheet when labels are printed with stops between
// sheets. Each button stores its decision and closes the window: "Next Page" goes on with
// the next sheet, "Print All" prints the rest without asking, "Cancel" ends the run (as
// does closing the window).
class PrintLabelSelect : public QDialog {
    Q_OBJECT
public:
    explicit PrintLabelSelect(QWidget* parent = nullptr);

    ContinueDecision Decision() const { return m_decision; }
    // Shows the window modally and returns the decision.
    ContinueDecision Ask();

private:
    void Decide(ContinueDecision decision);

    ContinueDecision m_decision = kCancelPrinting;
    QPushButton* m_nextPageButton;
    QPushButton* m_printAllButton;
    QPushButton* m_quitButton;
};
