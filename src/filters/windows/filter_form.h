#pragma once

#include "app/windows/modal_window.h"

#include <array>
#include <memory>

class ControlCore;
class FilterCore;
class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;
struct FilterRecord;
namespace Ui {
class FilterForm;
}

// "Filter": the saved filters of the current list. The window lists them, shows one at a
// time, creates, edits, deletes and saves them, counts the records a saved filter selects,
// and chooses the current filter: the filter shown when the window closes becomes the
// list's current filter.
//
// The window is browsing, or working on a new filter (New), or on the shown filter
// (Editing). While browsing the fields cannot be changed.
class FilterForm : public ModalWindow {
    Q_OBJECT
public:
    // The four switch groups, in the order of their tabs.
    enum SwitchGroup { OrSelect, AndSelect, AndReject, OrReject };

    explicit FilterForm(QWidget* parent = nullptr);
    ~FilterForm() override;

    // The filter shown; 0 for none.
    qint64 CurrentFilterId() const { return m_currentId; }
    bool NewMode() const { return m_new; }
    bool Editing() const { return m_editing; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One range: its two boxes and the message for an end before the start (none for the
    // dates, which are compared as dates).
    struct Range {
        QLineEdit* start;
        QLineEdit* end;
        QString message;
    };

    // The commands of the Edit menu and the toolbar.
    void NewCommand();
    void EditCommand();
    void ClearCommand();
    void DeleteCommand();
    // True when the filter was saved.
    bool SaveCommand();
    void CountCommand();

    void SetUpSwitches();
    void SetUpSizes();
    void SetUpCommands();
    void SetUpGuards();

    // The list of filters and what is shown.
    void FillFilterList();
    void SelectEntry(qint64 id);
    void FilterListClick(int row);
    void ShowFilter();
    void ClearFields();
    void ClearRanges();
    void UpdateModeDisplay();
    bool Browsing() const { return !m_new && !m_editing; }
    void ToolbarClick(QAction* button);

    // Saving.
    bool DatesReadable();
    FilterRecord CollectRecord() const;
    QString SwitchString(SwitchGroup group) const;

    // The guards while browsing and the checks when a box is left.
    void GuardClick(QAbstractButton* control);
    bool BoxLeft(QLineEdit* box);
    bool CheckTextRange(const Range& range);
    bool CheckDates(QLineEdit* box);
    bool IsRangeBox(QObject* object) const;

    std::unique_ptr<Ui::FilterForm> m_ui;
    std::unique_ptr<FilterCore> m_filters;
    std::unique_ptr<ControlCore> m_control;
    std::array<std::array<QCheckBox*, 16>, 4> m_switches{};
    std::array<QRadioButton*, 9> m_sequence{};
    QButtonGroup* m_sequenceGroup = nullptr;
    std::array<Range, 9> m_ranges{};

    qint64 m_currentId = 0;
    bool m_new = false;
    bool m_editing = false;
    bool m_loading = false;
    bool m_activated = false;
    bool m_closing = false;
};
