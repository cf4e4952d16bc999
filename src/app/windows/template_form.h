#pragma once

#include "app/windows/modal_window.h"

#include <memory>

class ControlCore;
class QAction;
class QCheckBox;
class QLineEdit;
class TemplateCore;
struct TemplateRecord;
namespace Ui {
class Template;
}

// "Template": lists the record templates of the current list, shows one at a time and
// lets the user make, edit, save and delete them. When it closes, the template it shows
// becomes the current template that new records start from ("<None>" for none).
//
// While viewing, the fields are protected; New and Edit open them for typing, Save stores
// the template, and Delete cancels the typing or, when viewing, deletes the template.
// The Insert key saves from anywhere in the window. The "Carrier Route" box edits the
// template's carrier route, which new records copy like the other fields.
class Template : public ModalWindow {
    Q_OBJECT
public:
    explicit Template(QWidget* parent = nullptr);
    ~Template() override;

    bool Entering() const { return m_entering; }
    bool Editing() const { return m_editing; }
    // The template shown; 0 for none.
    qint64 TemplateID() const { return m_templateId; }

    void NewTemplate();
    void EditTemplate();
    // True when the template was stored.
    bool SaveTemplate();
    void DeleteTemplate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ConnectCommands();
    void SetSwitchCaptions();
    void ShowEditState();
    void LoadTemplateList();
    void ShowTemplate();
    void ClearTemplate();
    void TemplateListClick();
    void ToolbarClick(QAction* button);
    void SwitchClick(int index);
    void MarkedCheckClick();
    void NameBoxChanged();
    void StateBoxEdited();
    // The value the shown template holds for a flag (switch 0-15, or -1 for Marked); false
    // when no template is shown.
    bool StoredFlag(int index) const;
    bool Busy() const { return m_entering || m_editing; }
    // Opens or protects the fields for typing.
    void SetFieldsWritable(bool writable);
    TemplateRecord RecordFromWindow() const;
    QCheckBox* SwitchBox(int index) const;
    QList<QWidget*> FieldBoxes() const;

    std::unique_ptr<Ui::Template> m_ui;
    std::unique_ptr<TemplateCore> m_templates;
    std::unique_ptr<ControlCore> m_control;
    bool m_entering = false;
    bool m_editing = false;
    bool m_loading = false;
    qint64 m_templateId = 0;
};
