#include "app/windows/template_form.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/record_forms.h"
#include "app/switch_names.h"
#include "app/value_formats.h"
#include "app/windows/help_window.h"
#include "app/windows/plain_text_limit.h"
#include "database/control_core.h"
#include "database/template_core.h"
#include "database/template_record.h"
#include "printing/printer_object.h"
#include "printing/printers.h"
#include "printing/report_text.h"
#include "ui_template_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>

namespace {

// The widest a switch caption may be, in twips of the current printer font.
constexpr double kSwitchCaptionWidth = 3000;
// What the list file holds of a template's address and notes.
constexpr int kAddressLimit = 200;
constexpr int kNotesLimit = 200;

bool TypesCharacter(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    return !event->text().isEmpty() || event->key() == Qt::Key_Backspace ||
           event->key() == Qt::Key_Delete;
}

bool IsInsertKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Insert &&
           !(event->modifiers() &
             (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

Template::Template(QWidget* parent) : ModalWindow(parent), m_ui(std::make_unique<Ui::Template>()) {
    AddHelpKey(this, kHelpTemplates);
    m_ui->setupUi(this);
    m_templates = std::make_unique<TemplateCore>();
    m_control = std::make_unique<ControlCore>();
    new PlainTextLimit(m_ui->AddressBox, kAddressLimit);
    new PlainTextLimit(m_ui->NotesBox, kNotesLimit);
    // The one-line boxes take what the Template table's columns hold (their lengths are set
    // in the window's form): a template's City is 20 characters and its Zip 9, as the
    // columns are, so a template never holds a value its table would refuse. A zip of
    // 9 characters is a full ZIP+4 without its hyphen.

    SetSwitchCaptions();
    ConnectCommands();
    ShowEditState();
    // The current template is the one shown first.
    m_templateId = m_control->CurrentTemplate();
    LoadTemplateList();
    m_ui->TemplateNameBox->setFocus(Qt::OtherFocusReason);
}

Template::~Template() = default;

void Template::ConnectCommands() {
    connect(m_ui->mnyFileExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->mnuEditNew, &QAction::triggered, this, &Template::NewTemplate);
    connect(m_ui->mnuEditEdit, &QAction::triggered, this, &Template::EditTemplate);
    connect(m_ui->mnuEditDelete, &QAction::triggered, this, &Template::DeleteTemplate);
    connect(m_ui->mnuEditSave, &QAction::triggered, this, &Template::SaveTemplate);

    // The toolbar buttons carry their key; the key, compared with its case, decides.
    m_ui->Toolbar1New->setData(QStringLiteral("New"));
    m_ui->Toolbar1Edit->setData(QStringLiteral("Edit"));
    m_ui->Toolbar1Save->setData(QStringLiteral("Save"));
    m_ui->Toolbar1Delete->setData(QStringLiteral("Delete"));
    connect(m_ui->Toolbar1, &QToolBar::actionTriggered, this, &Template::ToolbarClick);

    connect(m_ui->TemplateList, &QListWidget::currentRowChanged, this,
            &Template::TemplateListClick);
    connect(m_ui->TemplateList, &QListWidget::itemClicked, this, &Template::TemplateListClick);
    connect(m_ui->NameBox, &QLineEdit::textChanged, this, &Template::NameBoxChanged);
    connect(m_ui->StateBox, &QLineEdit::textEdited, this, &Template::StateBoxEdited);
    connect(m_ui->MarkedCheck, &QCheckBox::clicked, this, &Template::MarkedCheckClick);
    for (int i = 0; i < 16; ++i)
        connect(SwitchBox(i), &QCheckBox::clicked, this, [this, i] { SwitchClick(i); });

    // Every control reports its keys and focus here: the Insert key saves wherever the
    // focus is, and the fields are guarded while a template is only viewed.
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
}

QCheckBox* Template::SwitchBox(int index) const {
    QCheckBox* const boxes[16] = {m_ui->Switch0,  m_ui->Switch1,  m_ui->Switch2,  m_ui->Switch3,
                                  m_ui->Switch4,  m_ui->Switch5,  m_ui->Switch6,  m_ui->Switch7,
                                  m_ui->Switch8,  m_ui->Switch9,  m_ui->Switch10, m_ui->Switch11,
                                  m_ui->Switch12, m_ui->Switch13, m_ui->Switch14, m_ui->Switch15};
    return boxes[index];
}

QList<QWidget*> Template::FieldBoxes() const {
    return {m_ui->NameBox, m_ui->AddressBox, m_ui->CityBox,  m_ui->StateBox,
            m_ui->ZipBox,  m_ui->EMailBox,   m_ui->PhoneBox, m_ui->AttentionBox,
            m_ui->CodeBox, m_ui->NotesBox,   m_ui->Text1};
}

void Template::SetSwitchCaptions() {
    const PrinterObject& printer = Printers::Current();
    for (int i = 0; i < 16; ++i) {
        const QString name = SwitchNames()[size_t(i)];
        SwitchBox(i)->setText(FitToWidth(printer, name, kSwitchCaptionWidth));
        SwitchBox(i)->setToolTip(name.trimmed());
    }
}

void Template::ShowEditState() {
    const bool busy = Busy();
    m_ui->CurrentStateBox->setVisible(busy);
    m_ui->mnuEditSave->setVisible(busy);
    m_ui->Toolbar1Save->setEnabled(busy);
    SetFieldsWritable(busy);
    // Viewing starts at the name box, not in a protected field.
    if (!busy && FieldBoxes().contains(focusWidget()))
        m_ui->TemplateNameBox->setFocus(Qt::OtherFocusReason);
}

void Template::SetFieldsWritable(bool writable) {
    for (QLineEdit* box :
         {m_ui->TemplateNameBox, m_ui->NameBox, m_ui->CityBox, m_ui->StateBox, m_ui->ZipBox,
          m_ui->EMailBox, m_ui->PhoneBox, m_ui->AttentionBox, m_ui->CodeBox, m_ui->Text1})
        box->setReadOnly(!writable);
    m_ui->AddressBox->setReadOnly(!writable);
    m_ui->NotesBox->setReadOnly(!writable);
}

void Template::LoadTemplateList() {
    QListWidget* list = m_ui->TemplateList;
    list->clear();
    auto add = [list](const QString& text, qint64 id) {
        auto* item = new QListWidgetItem(text, list);
        item->setData(Qt::UserRole, id);
    };
    add(QStringLiteral("<None>"), 0);
    if (m_templates->Records() > 0 && m_templates->FirstRecord()) {
        do {
            add(m_templates->TemplateName(), m_templates->ID());
        } while (m_templates->MoveUp());
    }
    // A template that is no longer there counts as none.
    int row = 0;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->data(Qt::UserRole).toLongLong() == m_templateId) {
            row = i;
            break;
        }
    }
    // Selecting the line shows its template.
    list->setCurrentRow(row);
}

void Template::TemplateListClick() {
    const QListWidgetItem* item = m_ui->TemplateList->currentItem();
    if (!item || !item->isSelected())
        return;
    const qint64 id = item->data(Qt::UserRole).toLongLong();
    if (id == 0) {
        ClearTemplate();
        return;
    }
    m_templates->SetID(id);
    ShowTemplate();
}

void Template::ShowTemplate() {
    m_ui->TemplateNameBox->setText(m_templates->TemplateName());
    m_ui->NameBox->setText(m_templates->Name());
    m_ui->AddressBox->setPlainText(ShownLines(m_templates->Address()));
    m_ui->CityBox->setText(m_templates->City());
    m_ui->StateBox->setText(m_templates->State());
    m_ui->ZipBox->setText(m_templates->Zip());
    m_ui->EMailBox->setText(m_templates->EMail());
    m_ui->PhoneBox->setText(m_templates->Phone());
    m_ui->AttentionBox->setText(m_templates->Attention());
    m_ui->CodeBox->setText(m_templates->Code());
    m_ui->Text1->setText(m_templates->CarRt());
    const QString switches = m_templates->Switches();
    m_loading = true;
    for (int i = 0; i < 16; ++i)
        SwitchBox(i)->setChecked(SwitchIsSet(switches, i));
    m_loading = false;
    // Empty notes are stored as a single space.
    const QString notes = m_templates->Notes();
    m_ui->NotesBox->setPlainText(notes == QLatin1String(" ") ? QString() : ShownLines(notes));
    m_ui->MarkedCheck->setChecked(m_templates->Marked() != 0);
    m_templateId = m_templates->ID();
}

void Template::ClearTemplate() {
    for (QLineEdit* box :
         {m_ui->TemplateNameBox, m_ui->NameBox, m_ui->CityBox, m_ui->StateBox, m_ui->ZipBox,
          m_ui->EMailBox, m_ui->PhoneBox, m_ui->AttentionBox, m_ui->CodeBox, m_ui->Text1})
        box->clear();
    m_ui->AddressBox->clear();
    m_ui->NotesBox->clear();
    m_loading = true;
    for (int i = 0; i < 16; ++i)
        SwitchBox(i)->setChecked(false);
    m_loading = false;
    m_ui->MarkedCheck->setChecked(false);
    m_templateId = 0;
    m_ui->TemplateList->clearSelection();
    m_ui->TemplateList->setCurrentRow(-1);
}

void Template::NameBoxChanged() {
    // A Qt label shows "&" as it is: no doubling.
    m_ui->ReversedNameBox->setText(ReverseName(m_ui->NameBox->text(), true));
}

void Template::StateBoxEdited() {
    const QString upper = m_ui->StateBox->text().toUpper();
    if (upper == m_ui->StateBox->text())
        return;
    const int caret = m_ui->StateBox->cursorPosition();
    m_ui->StateBox->setText(upper);
    m_ui->StateBox->setCursorPosition(caret);
}

bool Template::StoredFlag(int index) const {
    if (m_templateId == 0)
        return false;
    if (index < 0)
        return m_templates->Marked() != 0;
    return SwitchIsSet(m_templates->Switches(), index);
}

void Template::SwitchClick(int index) {
    if (m_loading || Busy())
        return;
    Ding();
    m_loading = true;
    SwitchBox(index)->setChecked(StoredFlag(index));
    m_loading = false;
}

void Template::MarkedCheckClick() {
    if (Busy())
        return;
    Ding();
    m_ui->MarkedCheck->setChecked(StoredFlag(-1));
}

void Template::ToolbarClick(QAction* button) {
    const QString key = button->data().toString();
    if (key == QLatin1String("New"))
        NewTemplate();
    else if (key == QLatin1String("Edit"))
        EditTemplate();
    else if (key == QLatin1String("Save"))
        SaveTemplate();
    else if (key == QLatin1String("Delete"))
        DeleteTemplate();
}

void Template::NewTemplate() {
    if (m_editing) {
        Ding();
        if (!Dialogs::Current().AskYesNo(
                QStringLiteral("You are editing the current template. Do you want to save it?"),
                ApplicationTitle(), MessageIcon::Question))
            return;
        // A refused save keeps the edit on screen rather than dropping it.
        if (!SaveTemplate())
            return;
    }
    ClearTemplate();
    m_entering = true;
    m_ui->CurrentStateBox->setText(QStringLiteral("New Template"));
    ShowEditState();
    m_ui->TemplateNameBox->setFocus(Qt::OtherFocusReason);
}

void Template::EditTemplate() {
    if (m_templateId == 0 || m_entering) {
        Ding();
        return;
    }
    m_editing = true;
    m_ui->CurrentStateBox->setText(QStringLiteral("Editing"));
    ShowEditState();
    m_ui->TemplateNameBox->setFocus(Qt::OtherFocusReason);
}

TemplateRecord Template::RecordFromWindow() const {
    TemplateRecord record;
    record.TemplateName = m_ui->TemplateNameBox->text();
    record.Name = m_ui->NameBox->text();
    record.Address = StoredLines(m_ui->AddressBox->toPlainText());
    record.City = m_ui->CityBox->text();
    record.State = m_ui->StateBox->text();
    record.Zip = m_ui->ZipBox->text();
    record.EMail = m_ui->EMailBox->text();
    record.Phone = m_ui->PhoneBox->text();
    record.Attention = m_ui->AttentionBox->text();
    record.Code = m_ui->CodeBox->text();
    record.CarRt = m_ui->Text1->text();
    SwitchStates switches{};
    for (int i = 0; i < 16; ++i)
        switches[size_t(i)] = SwitchBox(i)->isChecked();
    record.Switches = SwitchString(switches);
    record.Notes = StoredNotes(m_ui->NotesBox->toPlainText());
    record.Marked = m_ui->MarkedCheck->isChecked() ? 1 : 0;
    return record;
}

bool Template::SaveTemplate() {
    if (!Busy()) {
        Ding();
        return false;
    }
    const QString name = m_ui->TemplateNameBox->text();
    if (name.trimmed().isEmpty()) {
        InfoBox(QStringLiteral("The template must have a name"));
        return false;
    }
    // Editing with no template shown (after choosing "<None>") makes a new one rather than
    // rewriting a template that is not on screen.
    const bool adding = m_entering || m_templateId == 0;
    if (adding && m_templates->MoveToName(name, true)) {
        InfoBox(QStringLiteral("Duplicate template name. Please select a different one."));
        return false;
    }
    const TemplateRecord record = RecordFromWindow();
    bool stored = false;
    if (adding) {
        stored = m_templates->NewRecord(record);
    } else {
        m_templates->SetID(m_templateId);
        stored = m_templates->UpdateRecord(record);
    }
    if (!stored)
        return false;
    m_templateId = m_templates->ID();
    m_entering = false;
    m_editing = false;
    LoadTemplateList();
    ShowEditState();
    return true;
}

void Template::DeleteTemplate() {
    if (m_entering) {
        // Delete cancels the new template.
        ClearTemplate();
        m_entering = false;
        ShowEditState();
        return;
    }
    if (m_editing) {
        // Delete cancels the edit: the stored values come back.
        m_editing = false;
        ShowEditState();
        if (m_templateId != 0) {
            m_templates->SetID(m_templateId);
            ShowTemplate();
        } else {
            ClearTemplate();
        }
        return;
    }
    const QListWidgetItem* item = m_ui->TemplateList->currentItem();
    if (!item || !item->isSelected() || m_templateId == 0)
        return;
    Ding();
    if (!Dialogs::Current().AskYesNo(QStringLiteral("Delete this template?"), ApplicationTitle(),
                                     MessageIcon::Question))
        return;
    m_templates->SetID(m_templateId);
    if (m_control->CurrentTemplate() == m_templates->ID())
        m_control->SetCurrentTemplate(0);
    m_templates->DeleteRecord();
    ClearTemplate();
    LoadTemplateList();
}

bool Template::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The menu's shortcuts (Ctrl+E among them) win over the text boxes' own.
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction* action :
             {m_ui->mnuEditNew, m_ui->mnuEditEdit, m_ui->mnuEditDelete, m_ui->mnuEditSave}) {
            if (action->isVisible() && action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
        if (IsInsertKey(key)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsInsertKey(key)) {
            SaveTemplate();
            return true;
        }
        if (watched == m_ui->TemplateNameBox && !Busy() && TypesCharacter(key)) {
            Ding();
            return true;
        }
        break;
    }
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (!Busy() && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            FieldBoxes().contains(qobject_cast<QWidget*>(watched))) {
            Ding();
            m_ui->TemplateNameBox->setFocus(Qt::OtherFocusReason);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return ModalWindow::eventFilter(watched, event);
}

void Template::closeEvent(QCloseEvent* event) {
    if (Busy()) {
        Ding();
        const bool save =
            Dialogs::Current().AskYesNo(QStringLiteral("Save changes to this Template?"),
                                        QStringLiteral("Un-saved Template"), MessageIcon::Question);
        // A save that was refused (no name, a name taken) keeps the window open with the
        // template on screen, so that what was typed is not lost.
        if (save && !SaveTemplate()) {
            event->ignore();
            return;
        }
    }
    // The template shown becomes the current one; none when none is shown.
    m_control->SetCurrentTemplate(m_templateId);
    ModalWindow::closeEvent(event);
}
