#pragma once

#include "printing/label_run_host.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ControlCore;
class LabelCore;
class ListCore;
class WindowRunHost;
class QAction;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QToolBar;
struct LabelDefinitionTexts;
struct LabelRecord;
struct LabelProduct;
struct LabelRunOptions;

namespace Ui {
class LabelForm;
}

// "Print Mailing Labels": the list's label definitions (sheet geometry and type size), the
// elements of the address block and their order, the filter, the start position on the
// first sheet, the bar code and the sheet-by-sheet choices, the figures of the coming run,
// and printing. The window loads its record stores when it is first shown; it needs an
// open list.
//
// "Preview" shows the sheets on screen exactly as the run would print them, with the
// labels' outlines, and can print them from there.
//
// While labels print, the window only answers "Stop Printing" (which ends the run at the
// end of the sheet); every other command sounds the warning and the window stays open.
class LabelForm : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Viewing, New, Edit };

    explicit LabelForm(QWidget* parent = nullptr);
    ~LabelForm() override;

    // What "Set Filter..." opens (modally, on this window); until one is set the command
    // says that the filter editor is not available.
    using FilterEditorOpener = std::function<void(QWidget* parent)>;
    void SetFilterEditorOpener(FilterEditorOpener opener) { m_filterEditor = std::move(opener); }

    // What "New from Product..." asks: the label product chosen, none when cancelled. Until
    // one is set, the product chooser window over every label product.
    using ProductChooser = std::function<std::optional<LabelProduct>(QWidget* parent)>;
    void SetProductChooser(ProductChooser chooser) { m_productChooser = std::move(chooser); }

    Mode CurrentMode() const { return m_mode; }
    // The label definition shown and printed with; 0 for none.
    qint64 CurrentLabel() const { return m_currentLabel; }
    int LabelsPerRecord() const { return m_labelsPerRecord; }
    bool Printing() const { return m_printing; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpMenus();
    void SetUpControls();
    void Load();

    // Label definitions.
    void FillLabelList();
    void LabelListClick();
    void SelectLabelEntry(qint64 id);
    void ShowDefinition();
    void ShowLabel(const LabelRecord& label);
    void ClearDefinition();
    LabelDefinitionTexts DefinitionTexts() const;
    bool DefinitionEvent(QObject* watched, QEvent* event);

    // Filter and figures.
    void FilterBoxClick();
    void ApplyFilterChoice(bool recount);
    void SetFilterCommand();
    void Recount();
    void StartBoxEdited(QLineEdit* box);

    // Address block layout.
    void AddElement();
    void RemoveElement();
    void MoveElement(int step);
    std::vector<int> Layout() const;

    void BarcodeOptionClick();
    int BarcodeChoice() const;
    void IntelligentMailSettingsClick();

    // Commands.
    void SetMode(Mode mode);
    void NewCommand();
    void NewFromProductCommand();
    void EditCommand();
    bool SaveCommand();
    void DeleteCommand();
    // True when labels may be printed or previewed now (else the user has been told).
    bool MayPrint();
    LabelRunOptions RunOptions() const;
    void PrintCommand();
    void PreviewCommand();
    void StopPrintingClick();
    void ToolbarClick(QAction* button);
    // True (after the warning sound) while labels print.
    bool RefusedWhilePrinting();

    std::unique_ptr<Ui::LabelForm> ui;
    QMenuBar* m_menuBar;
    QToolBar* m_toolbar;
    QAction* m_mnuFilePrint;
    QAction* m_mnuFilePreview;
    QAction* m_mnuFileFilter;
    QAction* m_mnuFileExit;
    QAction* m_mnuLabelNew;
    QAction* m_mnuLabelNewFromProduct;
    QAction* m_mnuLabelEdit;
    QAction* m_mnuLabelSave;
    QAction* m_mnuLabelDelete;
    QAction* m_toolbarSave;
    std::vector<QLineEdit*> m_numberBoxes;

    std::unique_ptr<ControlCore> m_control;
    std::unique_ptr<LabelCore> m_labels;
    std::unique_ptr<ListCore> m_list;
    std::unique_ptr<WindowRunHost> m_runHost;
    FilterEditorOpener m_filterEditor;
    ProductChooser m_productChooser;

    Mode m_mode = Mode::Viewing;
    qint64 m_currentLabel = 0;
    int m_labelsPerRecord = 1;
    bool m_loaded = false;
    bool m_loading = false;
    bool m_fillingFilters = false;
    bool m_printing = false;
};
