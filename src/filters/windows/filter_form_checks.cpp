// The filter editor's guards while browsing, the checks made when a range box is left, and
// the Insert key.

#include "filters/windows/filter_form.h"

#include "app/date_text.h"
#include "app/messages.h"
#include "app/value_formats.h"
#include "app/windows/validate_date_box.h"
#include "database/filter_core.h"
#include "ui_filter_form.h"

#include <QButtonGroup>
#include <QDate>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

void FilterForm::SetUpGuards() {
    // Every control that can hold the focus passes its keys here first (for the Insert
    // key), the range and name boxes their focus changes too.
    installEventFilter(this);
    for (QWidget* control : findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(this);
    }
    for (const auto& group : m_switches) {
        for (QCheckBox* box : group)
            connect(box, &QCheckBox::clicked, this, [this, box] { GuardClick(box); });
    }
    for (QRadioButton* option : m_sequence)
        connect(option, &QRadioButton::clicked, this, [this, option] { GuardClick(option); });
    for (QCheckBox* flag : {m_ui->MarkedCheck, m_ui->ImportedCheck})
        connect(flag, &QCheckBox::clicked, this, [this, flag] { GuardClick(flag); });
}

bool FilterForm::IsRangeBox(QObject* object) const {
    for (const Range& range : m_ranges) {
        if (object == range.start || object == range.end)
            return true;
    }
    return false;
}

bool FilterForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers held =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        // Insert saves, wherever the focus is (Shift+Insert and Ctrl+Insert stay paste and
        // copy).
        if (key->key() == Qt::Key_Insert && held == Qt::NoModifier) {
            SaveCommand();
            return true;
        }
        // While browsing the name cannot be typed; Tab still moves on.
        if (watched == m_ui->FilterNameBox && Browsing() && key->key() != Qt::Key_Tab &&
            key->key() != Qt::Key_Backtab) {
            Ding();
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        if (Browsing() && IsRangeBox(watched)) {
            Ding();
            m_ui->FilterNameBox->setFocus(Qt::OtherFocusReason);
            return true;
        }
        break;
    case QEvent::FocusOut: {
        // Leaving the window (for a message, another program or a menu) is not leaving the
        // box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !m_closing &&
            !Browsing() && IsRangeBox(watched)) {
            // The box is checked once the focus has moved on, so that a box sent back
            // keeps the focus and the selection it is given.
            auto* box = static_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, this, [this, box] {
                if (!m_closing)
                    BoxLeft(box);
            });
        }
        break;
    }
    default:
        break;
    }
    return ModalWindow::eventFilter(watched, event);
}

void FilterForm::GuardClick(QAbstractButton* control) {
    if (m_loading || !Browsing())
        return;
    Ding();
    // Back to what the shown filter holds, or to the empty state when none is shown.
    const bool shown = m_currentId != 0;
    if (shown)
        m_filters->SetID(m_currentId);
    m_loading = true;
    if (control == m_ui->MarkedCheck) {
        control->setChecked(shown && m_filters->Marked() != 0);
    } else if (control == m_ui->ImportedCheck) {
        control->setChecked(shown && m_filters->Imported() != 0);
    } else if (const int option = m_sequenceGroup->id(control); option >= 0) {
        const int stored = shown ? m_filters->Sequence() : 0;
        if (stored >= 0 && stored < int(m_sequence.size()))
            m_sequence[size_t(stored)]->setChecked(true);
    } else {
        for (int group = 0; group < 4; ++group) {
            for (int i = 0; i < 16; ++i) {
                if (m_switches[size_t(group)][size_t(i)] != control)
                    continue;
                QString stored;
                if (shown) {
                    const QString strings[] = {m_filters->OrSelect(), m_filters->AndSelect(),
                                               m_filters->AndReject(), m_filters->OrReject()};
                    stored = strings[group];
                }
                control->setChecked(stored.mid(i, 1) == QLatin1String("1"));
            }
        }
    }
    m_loading = false;
}

bool FilterForm::BoxLeft(QLineEdit* box) {
    if (box == m_ui->StartingPhoneBox || box == m_ui->EndingPhoneBox)
        box->setText(FormatPhone(PhoneDigits(box->text())));
    if (box == m_ui->StartingDateBox)
        return ValidateDateBox(box, true);
    if (box == m_ui->EndingDateBox)
        return CheckDates(box);
    for (const Range& range : m_ranges) {
        if (range.end == box && !range.message.isEmpty())
            return CheckTextRange(range);
    }
    return true;
}

bool FilterForm::CheckTextRange(const Range& range) {
    const QString start = range.start->text();
    const QString end = range.end->text();
    if (start.trimmed().isEmpty() || end.trimmed().isEmpty())
        return true;
    if (QString::compare(start, end, Qt::CaseInsensitive) <= 0)
        return true;
    InfoBox(range.message);
    range.end->setFocus(Qt::OtherFocusReason);
    return false;
}

bool FilterForm::CheckDates(QLineEdit* box) {
    if (!ValidateDateBox(box, true))
        return false;
    const QString start = m_ui->StartingDateBox->text().trimmed();
    const QString end = box->text().trimmed();
    if (start.isEmpty() || end.isEmpty())
        return true;
    const QDate first = ReadDateText(start);
    const QDate last = ReadDateText(end);
    if (!first.isValid() || !last.isValid() || first <= last)
        return true;
    InfoBox(QStringLiteral("Starting date is later than ending date"));
    box->setFocus(Qt::OtherFocusReason);
    return false;
}
