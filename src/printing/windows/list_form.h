#pragma once

#include "app/windows/modal_window.h"
#include "printing/label_run_host.h"

#include <functional>
#include <memory>

class ControlCore;
class ListCore;
class WindowRunHost;
class QAction;
struct ReportOptions;

namespace Ui {
class ListForm;
}

// "Print Record List": prints the records of the chosen filter as the detailed record list
// or the summary list, or writes them to a text file in fixed columns (after which the
// window closes). "Show Switches" adds switch names, marks and import flags to the record
// list; "Stop Between Sheets" hands each page to the printer on its own and asks before the
// next. Either printed report can be previewed on screen first, and printed from there.
// While a report prints, only "Stop Printing" is answered: it ends the report at the next
// page; every other command sounds the warning.
class ListForm : public ModalWindow {
    Q_OBJECT
public:
    explicit ListForm(QWidget* parent = nullptr);
    ~ListForm() override;

    // What "Set Filter..." opens (modally, on this window); until one is set the command
    // says that the filter editor is not available.
    using FilterEditorOpener = std::function<void(QWidget* parent)>;
    void SetFilterEditorOpener(FilterEditorOpener opener) { m_filterEditor = std::move(opener); }

    bool Printing() const { return m_printing; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetUpToolbar();
    void RefillFilterBox();
    void FilterBoxClick();
    void ApplyFilter();
    void SetFilterCommand();
    using Report = void (*)(ListCore&, LabelRunHost&, const ReportOptions&);
    ReportOptions Options() const;
    void PrintCommand(Report report);
    // Shows the report's pages in the preview window; what names the report.
    void PreviewCommand(Report report, const QString& what);
    void PrintToFileCommand();
    void ToolbarClick(QAction* button);
    // True (after the warning sound) while a report prints.
    bool RefusedWhilePrinting();

    std::unique_ptr<Ui::ListForm> m_ui;
    std::unique_ptr<ControlCore> m_control;
    std::unique_ptr<ListCore> m_list;
    std::unique_ptr<WindowRunHost> m_runHost;
    FilterEditorOpener m_filterEditor;
    bool m_loading = false;
    bool m_printing = false;
};
