#pragma once

#include "app/windows/modal_window.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>

class BulkConversion;
class ControlCore;
class FilterCore;
class ListCore;
class QCheckBox;
struct BulkOutcome;
namespace Ui {
class Convert;
}

// "Convert and Purge": changes many records at once. Turns marks or import flags into a
// code or into switches, clears marks, import flags or switches, marks the records of the
// current filter or those a context search finds, and deletes the filter's records. Every
// changing command asks first; the loops themselves are BulkConversion's.
class Convert : public ModalWindow {
    Q_OBJECT
public:
    explicit Convert(QWidget* parent = nullptr);
    ~Convert() override;

    // False when the current filter selects no record: the user has been told "No mailing
    // list." and the window is not to be shown.
    bool Loaded() const { return m_loaded; }
    // Opens the filter editor for "Set Filter"; set by the main window.
    void SetFilterEditorOpener(std::function<void(QWidget*)> opener);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Applies the current filter and shows its record count.
    void Count();
    void FilterBoxClick(int index);
    void SetFilter();
    void ClearCriteria();
    void ToolbarClick(QAction* button);

    void MarksToCode();
    void MarksToSwitches();
    void ImportFlagsToCode();
    void ImportFlagsToSwitches();
    void Purge();
    void MarkFromFilter();
    void MarkFromContextSearch();
    void TurnOffSwitches();
    void TurnOffAllMarks();
    void TurnOffFilterMarks();
    void TurnOffAllImportFlags();
    void TurnOffFilterImportFlags();

    // The "Warning!" question with the line given; Ding first when beep is set.
    bool Warn(const QString& firstLine, bool beep);
    // Refuses (false) with "No records are available with this filter." when the filter's
    // records, as last counted, are none.
    bool FilterHasRecords();
    QString SelectedSwitches() const;
    // Runs a bulk change with a progress display that appears when it takes more than a
    // second and lets the user stop it.
    BulkOutcome RunBulk(const QString& label,
                        const std::function<BulkOutcome(BulkConversion&)>& change);
    // Runs a change made by the list store itself under the busy pointer.
    void RunStoreChange(const std::function<void()>& change);

    std::unique_ptr<Ui::Convert> m_ui;
    std::unique_ptr<ControlCore> m_control;
    std::unique_ptr<FilterCore> m_filters;
    std::unique_ptr<ListCore> m_list;
    std::array<QCheckBox*, 16> m_switches{};
    std::function<void(QWidget*)> m_openFilterEditor;
    bool m_loading = false;
    bool m_loaded = false;
};
