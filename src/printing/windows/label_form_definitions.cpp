// The label window's label definitions: the list of definitions, the definition boxes and
// the commands New, Edit, Save and Delete with their modes.
#include "printing/windows/label_form.h"

#include "ui_label_form.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "database/control_core.h"
#include "database/label_core.h"
#include "database/label_record.h"
#include "printing/label_choice.h"
#include "printing/label_definition_check.h"
#include "printing/label_product.h"
#include "printing/print_labels.h"
#include "printing/printers.h"
#include "printing/windows/label_product_chooser.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QToolBar>

namespace {
bool AskYesNo(const QString& question) {
    return Dialogs::Current().AskYesNo(question, ApplicationTitle(), MessageIcon::Question);
}

// Keys that move about or close the window rather than change a box's text.
bool MovesOnly(const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}
} // namespace

void LabelForm::FillLabelList() {
    m_loading = true;
    ui->LabelList->clear();
    const std::vector<LabelChoice> choices = ReadLabelChoices(*m_labels);
    m_currentLabel = OpeningLabel(choices, m_control->CurrentLabel());
    for (const LabelChoice& choice : choices) {
        auto* item = new QListWidgetItem(choice.name);
        item->setData(Qt::UserRole, choice.id);
        ui->LabelList->addItem(item);
        if (choice.id == m_currentLabel) {
            ui->LabelList->setCurrentItem(item);
            m_labels->SetID(m_currentLabel);
        }
    }
    m_loading = false;
}

void LabelForm::LabelListClick() {
    if (m_loading)
        return;
    const QListWidgetItem* chosen = ui->LabelList->currentItem();
    if (!chosen)
        return;
    const qint64 id = chosen->data(Qt::UserRole).toLongLong();
    if (m_printing || m_mode != Mode::Viewing) {
        // The definition being entered or printed with stays shown.
        if (id != m_currentLabel) {
            Ding();
            SelectLabelEntry(m_currentLabel);
        }
        return;
    }
    m_currentLabel = id;
    m_labels->SetID(m_currentLabel);
    ShowDefinition();
    Recount();
    m_control->SetCurrentLabel(m_currentLabel);
}

void LabelForm::SelectLabelEntry(qint64 id) {
    m_loading = true;
    for (int row = 0; row < ui->LabelList->count(); ++row)
        if (ui->LabelList->item(row)->data(Qt::UserRole).toLongLong() == id)
            ui->LabelList->setCurrentRow(row);
    m_loading = false;
}

void LabelForm::ShowDefinition() {
    if (m_currentLabel == 0) {
        ClearDefinition();
        return;
    }
    m_labels->SetID(m_currentLabel);
    ShowLabel(CurrentLabelRecord(*m_labels));
}

void LabelForm::ShowLabel(const LabelRecord& label) {
    ui->LabelNameBox->setText(label.LName);
    ui->RowsBox->setText(LabelNumberText(label.LRows));
    ui->ColumnsBox->setText(LabelNumberText(label.LCols));
    ui->TopIndentBox->setText(LabelNumberText(label.IndentTop));
    ui->LeftIndentBox->setText(LabelNumberText(label.IndentLeft));
    ui->RowDifferenceBox->setText(LabelNumberText(label.RowDelta));
    ui->ColumnDifferenceBox->setText(LabelNumberText(label.ColDelta));
    ui->TypeSizeBox->setText(LabelNumberText(label.LTypeSize));
}

void LabelForm::ClearDefinition() {
    ui->LabelNameBox->clear();
    for (QLineEdit* box : m_numberBoxes)
        box->clear();
}

LabelDefinitionTexts LabelForm::DefinitionTexts() const {
    return {ui->LabelNameBox->text(),        ui->RowsBox->text(),
            ui->ColumnsBox->text(),          ui->TopIndentBox->text(),
            ui->LeftIndentBox->text(),       ui->RowDifferenceBox->text(),
            ui->ColumnDifferenceBox->text(), ui->TypeSizeBox->text()};
}

bool LabelForm::DefinitionEvent(QObject* watched, QEvent* event) {
    if (m_mode != Mode::Viewing)
        return false;
    // Outside New and Edit the definition cannot be changed.
    if (watched == ui->LabelNameBox && event->type() == QEvent::KeyPress) {
        if (MovesOnly(static_cast<QKeyEvent*>(event)))
            return false;
        Ding();
        return true;
    }
    const bool numberBox =
        std::find(m_numberBoxes.begin(), m_numberBoxes.end(), watched) != m_numberBoxes.end();
    if (numberBox && event->type() == QEvent::FocusIn) {
        Ding();
        ui->LabelNameBox->setFocus();
        return true;
    }
    return false;
}

void LabelForm::SetMode(Mode mode) {
    m_mode = mode;
    const bool editing = mode != Mode::Viewing;
    ui->StatusBox->setText(mode == Mode::New    ? QStringLiteral("New Label")
                           : mode == Mode::Edit ? QStringLiteral("Edit Label")
                                                : QString());
    ui->StatusBox->setVisible(editing);
    m_mnuLabelSave->setVisible(editing);
    m_mnuLabelSave->setEnabled(editing);
    m_toolbarSave->setVisible(editing);
    m_toolbarSave->setEnabled(editing);
    ui->LabelNameBox->setReadOnly(!editing);
    for (QLineEdit* box : m_numberBoxes) {
        box->setReadOnly(!editing);
        // Tabbing passes over the locked boxes; a click on one is answered by the sound.
        box->setFocusPolicy(editing ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void LabelForm::NewCommand() {
    if (RefusedWhilePrinting())
        return;
    if (m_mode == Mode::Edit) {
        Ding();
        if (!AskYesNo(QStringLiteral("You are editing the current Label. Do you want to save it?")))
            return;
        if (!SaveCommand())
            return; // the edits stay on the window to be put right
    }
    ClearDefinition();
    SetMode(Mode::New);
    ui->LabelNameBox->setFocus();
}

void LabelForm::NewFromProductCommand() {
    if (RefusedWhilePrinting())
        return;
    if (m_mode == Mode::Edit) {
        // The question of New comes first, so the chosen sheet never meets unsaved edits.
        NewCommand();
        if (m_mode != Mode::New)
            return;
    }
    std::optional<LabelProduct> product;
    if (m_productChooser) {
        product = m_productChooser(this);
    } else {
        LabelProductChooser chooser(LabelProducts(), this);
        if (chooser.exec() == QDialog::Accepted)
            product = chooser.Chosen();
    }
    if (!product)
        return;
    if (m_mode != Mode::New)
        NewCommand();
    // Measured from the printable area of the printer the labels will go to.
    ShowLabel(LabelFromProduct(*product, Printers::Current()));
}

void LabelForm::EditCommand() {
    if (RefusedWhilePrinting())
        return;
    if (m_mode == Mode::New || m_currentLabel == 0) {
        Ding();
        return;
    }
    SetMode(Mode::Edit);
    ui->LabelNameBox->setFocus();
}

bool LabelForm::SaveCommand() {
    if (RefusedWhilePrinting())
        return false;
    if (m_mode == Mode::Viewing) {
        Ding();
        return false;
    }
    const LabelDefinitionTexts texts = DefinitionTexts();
    const QString problem = CheckLabelDefinition(texts);
    if (!problem.isEmpty()) {
        InfoBox(problem);
        return false;
    }
    const LabelRecord label = LabelFromTexts(texts);
    bool stored = false;
    if (m_mode == Mode::New) {
        stored = m_labels->NewRecord(label);
    } else {
        m_labels->SetID(m_currentLabel);
        stored = m_labels->UpdateRecord(label);
    }
    if (!stored)
        return false; // the store has told why; what was typed stays
    // The definition just saved is the one shown and printed with.
    m_control->SetCurrentLabel(m_labels->ID());
    SetMode(Mode::Viewing);
    FillLabelList();
    ShowDefinition();
    Recount();
    return true;
}

void LabelForm::DeleteCommand() {
    if (RefusedWhilePrinting())
        return;
    if (m_mode == Mode::New) {
        // Abandons the new definition.
        ClearDefinition();
        SetMode(Mode::Viewing);
        if (ui->LabelList->count() > 0) {
            SelectLabelEntry(ui->LabelList->item(0)->data(Qt::UserRole).toLongLong());
            LabelListClick();
        }
        return;
    }
    if (m_mode == Mode::Edit) {
        SetMode(Mode::Viewing);
        ShowDefinition(); // the stored values again
        return;
    }
    if (ui->LabelList->count() < 2) {
        InfoBox(QStringLiteral("You must keep at least one label definition"));
        return;
    }
    if (!ui->LabelList->currentItem())
        return;
    Ding();
    if (!AskYesNo(QStringLiteral("Delete this Label?")))
        return;
    m_labels->SetID(m_currentLabel);
    m_labels->DeleteRecord(); // asks once more
    m_control->SetCurrentLabel(0);
    ClearDefinition();
    FillLabelList();
    ShowDefinition();
    Recount();
}
