// The record area of the main window: how a record is shown, where the focus goes, what
// keys do in viewing and in input mode, the searches from the key box, the check boxes,
// the date picker and the shift-click on the zip box.

#include "app/clock.h"
#include "app/messages.h"
#include "app/record_forms.h"
#include "app/value_formats.h"
#include "app/windows/main_form.h"
#include "app/windows/select_all.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "database/template_core.h"
#include "ui_main_form.h"

#include <QCalendarWidget>
#include <QDate>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace {

// The longest address the list file takes.
constexpr int kAddressLimit = 200;

// Sets a flag for as long as it lives and puts back what it was.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_old; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

// The name turned round for the "Reversed Name" label. A Qt label shows "&" as it is, so
// the ampersands are not doubled here.
QString ReversedNameText(const QString& name) {
    return ReverseName(name, true);
}

bool IsEnterKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// A key that types a character (Enter and Backspace among them), as opposed to moves,
// function keys and shortcuts.
bool TypesCharacter(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    return !event->text().isEmpty() || IsEnterKey(event) || event->key() == Qt::Key_Backspace;
}

} // namespace

void MainForm::SetUpRecordArea() {
    ui->DateBox->setMinimumDate(QDate(1899, 12, 30));
    // The zero date is "no date": the picker shows it empty.
    ui->DateBox->setSpecialValueText(QStringLiteral(" "));
    ui->DateBox->setDate(ui->DateBox->minimumDate()); // blank until a record is shown
    // The calendar is made now, so that its closing can be watched from the start.
    ui->DateBox->calendarWidget();

    const QList<QLineEdit*> boxes = {ui->NameBox, ui->CityBox,  ui->StateBox,
                                     ui->ZipBox,  ui->EMailBox, ui->PhoneBox,
                                     ui->CodeBox, ui->CarRtBox, ui->AttentionBox};
    for (QLineEdit* box : boxes)
        connect(box, &QLineEdit::textEdited, this, [this] {
            if (Busy())
                m_dirty = true;
        });
    connect(ui->NameBox, &QLineEdit::textChanged, this, &MainForm::NameBoxChanged);
    connect(ui->StateBox, &QLineEdit::textEdited, this, &MainForm::StateBoxEdited);
    connect(ui->AddressBox, &QPlainTextEdit::textChanged, this, &MainForm::AddressBoxChanged);
    connect(ui->NotesBox, &QPlainTextEdit::textChanged, this, [this] {
        if (Busy() && !m_loading)
            m_dirty = true;
    });
    connect(ui->MarkedCheck, &QCheckBox::clicked, this, &MainForm::MarkedCheckClick);
    connect(ui->ImportedCheck, &QCheckBox::clicked, this, &MainForm::ImportedCheckClick);
    for (int i = 0; i < 16; ++i)
        connect(SwitchBox(i), &QCheckBox::clicked, this, [this, i] { SwitchClick(i); });
}

QCheckBox* MainForm::SwitchBox(int index) const {
    QCheckBox* const boxes[16] = {ui->Switch0,  ui->Switch1,  ui->Switch2,  ui->Switch3,
                                  ui->Switch4,  ui->Switch5,  ui->Switch6,  ui->Switch7,
                                  ui->Switch8,  ui->Switch9,  ui->Switch10, ui->Switch11,
                                  ui->Switch12, ui->Switch13, ui->Switch14, ui->Switch15};
    return boxes[index];
}

QWidget* MainForm::KeyBox() const {
    switch (m_sortOrder) {
    case 1:
        return ui->CityBox;
    case 2:
        return ui->StateBox;
    case 3:
        return ui->ZipBox;
    case 4:
        return ui->EMailBox;
    case 5:
        return ui->PhoneBox;
    case 6:
        return ui->CodeBox;
    case 7:
        return ui->CarRtBox;
    case 8:
        return ui->DateBox;
    default:
        return ui->NameBox;
    }
}

void MainForm::FocusKeyBox() {
    KeyBox()->setFocus(Qt::OtherFocusReason);
}

bool MainForm::RecordAreaEvent(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn: {
        QWidget* box = qobject_cast<QWidget*>(watched);
        if (!box || box->window() != this)
            return false;
        return BoxFocused(box, static_cast<QFocusEvent*>(event));
    }
    case QEvent::KeyPress: {
        QWidget* box = qobject_cast<QWidget*>(watched);
        if (!box || box->window() != this)
            return false;
        return BoxKeyPressed(box, static_cast<QKeyEvent*>(event));
    }
    case QEvent::MouseButtonPress:
        if (watched == ui->NotesBox->viewport() && ListIsOpen() && !Busy()) {
            // Notes are not for searching: a click sends the focus to the key box.
            FocusKeyBox();
            return true;
        }
        if (watched == ui->ZipBox)
            return ZipBoxPressed(static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::Hide:
        if (watched == ui->DateBox->calendarWidget()->window())
            DateBoxCloseUp();
        return false;
    default:
        return false;
    }
}

bool MainForm::BoxFocused(QWidget* box, QFocusEvent* event) {
    const bool isText = box == ui->NameBox || box == ui->CityBox || box == ui->StateBox ||
                        box == ui->EMailBox || box == ui->CodeBox || box == ui->CarRtBox ||
                        box == ui->PhoneBox || box == ui->ZipBox || box == ui->AddressBox ||
                        box == ui->AttentionBox;
    if (!isText && box != ui->DateBox)
        return false;
    if (box == ui->ZipBox) {
        // After a shift-click on the zip the next focus of the box does nothing; so does the
        // focus that the shift-click itself gives.
        if (m_skipZipFocus) {
            m_skipZipFocus = false;
            return false;
        }
        if (event->reason() == Qt::MouseFocusReason &&
            QGuiApplication::keyboardModifiers() == Qt::ShiftModifier && !Busy())
            return false;
    }
    if (!Busy()) {
        if (box == KeyBox()) {
            if (box != ui->DateBox)
                SelectBoxText(box, false);
            return false;
        }
        // In viewing mode only the key box takes the focus.
        FocusKeyBox();
        return true;
    }
    if (box == ui->DateBox)
        return false;
    const bool caretAtEnd = m_entering && (box == ui->PhoneBox || box == ui->ZipBox);
    SelectBoxText(box, caretAtEnd);
    return false;
}

void MainForm::SelectBoxText(QWidget* box, bool caretAtEnd) {
    // Runs once the box has handled its focus (and a mouse press that gave it), which
    // would otherwise put the caret where they like.
    QPointer<QWidget> target(box);
    QTimer::singleShot(0, this, [target, caretAtEnd] {
        if (!target || !target->hasFocus())
            return;
        if (auto* line = qobject_cast<QLineEdit*>(target.data())) {
            if (caretAtEnd) {
                line->deselect();
                line->setCursorPosition(int(line->text().size()));
            } else {
                SelectAll(line);
            }
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(target.data())) {
            SelectAll(text);
        }
    });
}

bool MainForm::BoxKeyPressed(QWidget* box, QKeyEvent* event) {
    if (!TypesCharacter(event))
        return false;
    if (Busy()) {
        if (box == ui->NameBox || box == ui->AddressBox || box == ui->CityBox ||
            box == ui->StateBox || box == ui->ZipBox || box == ui->EMailBox ||
            box == ui->PhoneBox || box == ui->AttentionBox || box == ui->CodeBox ||
            box == ui->CarRtBox || box == ui->NotesBox)
            m_dirty = true;
        return false;
    }
    if (box == ui->NameBox) {
        if (!ListIsOpen()) {
            MustOpenList();
            return true;
        }
        if (m_sortOrder != 0) {
            Ding();
            return true;
        }
        if (IsEnterKey(event)) {
            SearchFrom(box);
            return true;
        }
        return false;
    }
    const bool searchBox = box == ui->CityBox || box == ui->StateBox || box == ui->ZipBox ||
                           box == ui->EMailBox || box == ui->PhoneBox || box == ui->CodeBox ||
                           box == ui->CarRtBox;
    if (searchBox && IsEnterKey(event)) {
        SearchFrom(box);
        return true;
    }
    if (box == ui->DateBox && IsEnterKey(event)) {
        // Enter in the date picker does what closing its calendar does.
        DateBoxCloseUp();
        return true;
    }
    return false;
}

void MainForm::SearchFrom(QWidget* box) {
    if (!ListIsOpen()) {
        MustOpenList();
        return;
    }
    // Every search is for the first record at or after the text, in the current order.
    if (box == ui->NameBox)
        m_list->MoveToName(ui->NameBox->text(), false);
    else if (box == ui->CityBox)
        m_list->MoveToCity(ui->CityBox->text(), false);
    else if (box == ui->StateBox)
        m_list->MoveToState(ui->StateBox->text(), false);
    else if (box == ui->ZipBox)
        m_list->MoveToZip(ui->ZipBox->text(), false);
    else if (box == ui->EMailBox)
        m_list->MoveToEMail(ui->EMailBox->text(), false);
    else if (box == ui->PhoneBox)
        m_list->MoveToPhone(ui->PhoneBox->text(), false);
    else if (box == ui->CodeBox)
        m_list->MoveToCode(ui->CodeBox->text(), false);
    else if (box == ui->CarRtBox)
        m_list->MoveToCarRt(ui->CarRtBox->text(), false);
    ShowRecord();
    SelectBoxText(box, false);
}

bool MainForm::ZipBoxPressed(QMouseEvent* event) {
    if (event->modifiers() != Qt::ShiftModifier || !ListIsOpen() || International() || Busy())
        return false;
    m_skipZipFocus = true;
    if (!ListHasRecords()) {
        Ding();
        return true;
    }
    const QString zip = m_list->Zip();
    if (LeadingNumber(zip.right(4)) == 0) {
        InfoBox(QStringLiteral("No Zip+4 Extension"));
        return true;
    }
    if (m_deliveryPoint)
        m_deliveryPoint(this, m_list->ID());
    return true;
}

void MainForm::SetDeliveryPointOpener(DeliveryPointOpener opener) {
    m_deliveryPoint = std::move(opener);
}

void MainForm::NameBoxChanged() {
    if (Busy())
        ui->ReversedNameBox->setText(ReversedNameText(ui->NameBox->text()));
}

void MainForm::StateBoxEdited() {
    const QString upper = ui->StateBox->text().toUpper();
    if (upper == ui->StateBox->text())
        return;
    const int caret = ui->StateBox->cursorPosition();
    ui->StateBox->setText(upper);
    ui->StateBox->setCursorPosition(caret);
}

void MainForm::AddressBoxChanged() {
    const QString text = ui->AddressBox->toPlainText();
    const bool typed = Busy() && !m_loading;
    if (typed && StoredLength(text) > kAddressLimit) {
        // The address takes no more than the list file holds: the typing is refused and the
        // caret goes back to where it was.
        const int caret =
            ui->AddressBox->textCursor().position() - int(text.size() - m_addressShown.size());
        const QSignalBlocker block(ui->AddressBox);
        ui->AddressBox->setPlainText(m_addressShown);
        QTextCursor cursor = ui->AddressBox->textCursor();
        cursor.setPosition(std::clamp(caret, 0, int(m_addressShown.size())));
        ui->AddressBox->setTextCursor(cursor);
        return;
    }
    m_addressShown = text;
    if (typed)
        m_dirty = true;
}

void MainForm::MarkedCheckClick() {
    FlagCheckClick(ui->MarkedCheck, true);
}

void MainForm::ImportedCheckClick() {
    FlagCheckClick(ui->ImportedCheck, false);
}

void MainForm::FlagCheckClick(QCheckBox* box, bool marked) {
    if (!ListIsOpen()) {
        MustOpenList();
        box->setChecked(!box->isChecked());
        return;
    }
    if (m_loading)
        return;
    if (!ListHasRecords()) {
        box->setChecked(false);
        return;
    }
    if (Busy())
        return; // taken when the record is saved
    const int value = box->isChecked() ? 1 : 0;
    if (marked)
        m_list->SetMarked(value);
    else
        m_list->SetImported(value);
    m_dirty = true;
}

void MainForm::SwitchClick(int index) {
    QCheckBox* box = SwitchBox(index);
    if (!ListIsOpen()) {
        MustOpenList();
        box->setChecked(!box->isChecked());
        return;
    }
    if (m_loading)
        return;
    if (Busy()) {
        m_dirty = true;
        return;
    }
    // Switches change only through input mode or the bulk operations.
    const FlagScope loading(m_loading);
    box->setChecked(ListHasRecords() && SwitchIsSet(m_list->Switches(), index));
}

void MainForm::DateBoxCloseUp() {
    if (!ListIsOpen()) {
        MustOpenList();
        return;
    }
    if (m_sortOrder == 8 && !Busy()) {
        m_list->MoveToEditDate(ui->DateBox->date(), false);
        ShowRecord();
        return;
    }
    // The picker never changes a stored date: the record's date is put back.
    if (m_entering)
        ShowLastEdit(CurrentDate());
    else
        ShowLastEdit(ListHasRecords() ? m_list->LastEdit() : QDate());
}

void MainForm::ShowLastEdit(const QDate& date) {
    ui->DateBox->setDate(date.isValid() ? date : ui->DateBox->minimumDate());
}

void MainForm::SetBoxText(QLineEdit* box, const QString& text) {
    // The box being typed in keeps its caret where it was.
    const int caret = box->hasFocus() ? box->cursorPosition() : 0;
    box->setText(text);
    box->setCursorPosition(std::min(caret, int(text.size())));
}

void MainForm::SetSwitchBoxes(const QString& switches) {
    const FlagScope loading(m_loading);
    for (int i = 0; i < 16; ++i)
        SwitchBox(i)->setChecked(SwitchIsSet(switches, i));
}

void MainForm::ShowRecord() {
    if (!m_list)
        return;
    const FlagScope loading(m_loading);
    if (!ListHasRecords()) {
        ClearRecord();
        m_currentId = 0;
        m_dirty = false;
        return;
    }
    if (m_list->CurrentBookmark().isEmpty())
        m_list->FirstRecord();
    const QString name = m_list->Name();
    SetBoxText(ui->NameBox, name);
    ui->ReversedNameBox->setText(ReversedNameText(name));
    ui->AddressBox->setPlainText(ShownLines(m_list->Address()));
    SetBoxText(ui->CityBox, m_list->City());
    SetBoxText(ui->StateBox, m_list->State());
    SetBoxText(ui->ZipBox, FormatZip(m_list->Zip()));
    SetBoxText(ui->EMailBox, m_list->EMail());
    SetBoxText(ui->PhoneBox, FormatPhone(m_list->Phone()));
    SetBoxText(ui->AttentionBox, m_list->Attention());
    SetBoxText(ui->CodeBox, m_list->Code());
    SetBoxText(ui->CarRtBox, m_list->CarRt());
    ui->NotesBox->setPlainText(ShownLines(m_list->Notes()));
    SetSwitchBoxes(m_list->Switches());
    ui->MarkedCheck->setChecked(m_list->Marked() != 0);
    ui->ImportedCheck->setChecked(m_list->Imported() != 0);
    ShowLastEdit(m_list->LastEdit());
    m_currentId = m_list->ID();
    m_dirty = false;
}

void MainForm::ClearRecord() {
    const FlagScope loading(m_loading);
    for (QLineEdit* box : {ui->NameBox, ui->CityBox, ui->StateBox, ui->ZipBox, ui->EMailBox,
                           ui->PhoneBox, ui->AttentionBox, ui->CodeBox, ui->CarRtBox})
        box->clear();
    ui->ReversedNameBox->clear();
    ui->AddressBox->clear();
    ui->NotesBox->clear();
    SetSwitchBoxes(QString());
    ui->MarkedCheck->setChecked(false);
    ui->ImportedCheck->setChecked(false);
    ShowLastEdit(CurrentDate());
}

void MainForm::FillFromTemplate() {
    const FlagScope loading(m_loading);
    const QString name = m_templates->Name();
    SetBoxText(ui->NameBox, name);
    ui->ReversedNameBox->setText(ReversedNameText(name));
    ui->AddressBox->setPlainText(ShownLines(m_templates->Address()));
    SetBoxText(ui->CityBox, m_templates->City());
    SetBoxText(ui->StateBox, m_templates->State());
    SetBoxText(ui->ZipBox, FormatZip(m_templates->Zip()));
    SetBoxText(ui->EMailBox, m_templates->EMail());
    // The phone as the template holds it: often just an area code to type on from.
    SetBoxText(ui->PhoneBox, m_templates->Phone());
    SetBoxText(ui->AttentionBox, m_templates->Attention());
    SetBoxText(ui->CodeBox, m_templates->Code());
    SetBoxText(ui->CarRtBox, m_templates->CarRt());
    ui->NotesBox->setPlainText(ShownLines(m_templates->Notes()));
    SetSwitchBoxes(m_templates->Switches());
    ui->MarkedCheck->setChecked(m_templates->Marked() != 0);
    // A record typed by hand is not an imported one, whatever record was shown before.
    ui->ImportedCheck->setChecked(false);
    ShowLastEdit(CurrentDate());
}

ListRecord MainForm::RecordFromArea() const {
    ListRecord record;
    record.Name = ui->NameBox->text();
    record.Address = StripTrailingLineBreak(StoredLines(ui->AddressBox->toPlainText()));
    record.City = ui->CityBox->text();
    record.State = ui->StateBox->text();
    record.Zip = ZipDigits(ui->ZipBox->text(), false);
    record.EMail = ui->EMailBox->text();
    record.Phone = PhoneDigits(ui->PhoneBox->text());
    record.Attention = ui->AttentionBox->text();
    record.Code = ui->CodeBox->text();
    record.CarRt = ui->CarRtBox->text();
    SwitchStates switches{};
    for (int i = 0; i < 16; ++i)
        switches[size_t(i)] = SwitchBox(i)->isChecked();
    record.Switches = SwitchString(switches);
    record.Notes = StoredNotes(ui->NotesBox->toPlainText());
    record.Marked = ui->MarkedCheck->isChecked() ? 1 : 0;
    record.Imported = ui->ImportedCheck->isChecked() ? 1 : 0;
    record.LastEdit = CurrentDate();
    return record;
}
