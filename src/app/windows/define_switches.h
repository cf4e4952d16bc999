#pragma once

#include <QDialog>

class QLineEdit;

// "Define Switches": the names of the sixteen switches, one box each. What is typed goes
// into the program-wide switch names at once, so every window opened later shows it; when
// the window closes the names are written into the current list. There is no cancel.
class DefineSwitches : public QDialog {
    Q_OBJECT
public:
    explicit DefineSwitches(QWidget* parent = nullptr);

    // The box of switch index (0-15).
    QLineEdit* SB(int index) const { return m_boxes[index]; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_boxes[16];
    bool m_shown = false;
};
