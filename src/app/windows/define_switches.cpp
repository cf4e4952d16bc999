#include "app/windows/define_switches.h"

#include "app/messages.h"
#include "app/switch_names.h"
#include "app/windows/center_form.h"
#include "app/windows/help_window.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

// The longest switch name the list file holds.
constexpr int kSwitchNameLimit = 32;
// The boxes stand in two columns of eight.
constexpr int kRowsPerColumn = 8;

} // namespace

DefineSwitches::DefineSwitches(QWidget* parent) : QDialog(parent) {
    AddHelpKey(this, kHelpSwitchNames);
    setObjectName(QStringLiteral("DefineSwitches"));
    setWindowTitle(QStringLiteral("Define Switches"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    for (int i = 0; i < 16; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("SB%1").arg(i));
        box->setMaxLength(kSwitchNameLimit);
        box->setText(SwitchNames()[size_t(i)]);
        box->setMinimumWidth(
            box->fontMetrics().horizontalAdvance(QString(kSwitchNameLimit, QLatin1Char('n'))));
        auto* label = new QLabel(QStringLiteral("Switch %1").arg(i + 1), this);
        label->setBuddy(box);
        const int column = (i / kRowsPerColumn) * 2;
        grid->addWidget(label, i % kRowsPerColumn, column);
        grid->addWidget(box, i % kRowsPerColumn, column + 1);
        // Every change is the switch's name at once.
        connect(box, &QLineEdit::textChanged, this,
                [i](const QString& text) { SetSwitchName(i, text); });
        box->installEventFilter(this);
        m_boxes[i] = box;
    }
    m_boxes[0]->setFocus(Qt::OtherFocusReason);
}

void DefineSwitches::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        CenterForm(this);
    }
}

bool DefineSwitches::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter goes on to the next box, from the last back to the first.
            for (int i = 0; i < 16; ++i) {
                if (watched == m_boxes[i]) {
                    m_boxes[(i + 1) % 16]->setFocus(Qt::TabFocusReason);
                    m_boxes[(i + 1) % 16]->selectAll();
                    return true;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DefineSwitches::done(int result) {
    // However the window closes, the names as they stand are the list's names.
    SaveSwitchNames();
    QDialog::done(result);
}
