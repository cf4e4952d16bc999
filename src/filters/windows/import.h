#pragma once

#include "app/windows/modal_window.h"
#include "filters/delimited_text.h"

#include <QList>
#include <functional>
#include <memory>

class ControlCore;
class ImportPreview;
class FilterCore;
class ListCore;
class QListWidget;
class QTimer;
namespace Ui {
class Import;
}

// "Import/Export Text Files": arranges the fields of a line, then imports a delimited
// file into the list, or exports the records of the current filter as delimited text or
// as a mail-merge data file.
class Import : public ModalWindow {
    Q_OBJECT
public:
    explicit Import(QWidget* parent = nullptr);
    ~Import() override;

    // Opens the filter editor; set by the main window.
    std::function<void(QWidget*)> m_openFilterEditor;
    // Shows the preview of a file about to be imported; true to import. Runs it modally
    // unless replaced (tests answer it themselves).
    std::function<bool(ImportPreview&)> m_confirmPreview;

    QList<int> ChosenFields() const;
    Delimiter ChosenDelimiter() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefillFilterBox();
    void AddItem();
    void RemoveItems();
    // Moves the selected chosen entry one place up (-1) or down (+1).
    void MoveItem(int step);
    void StartRepeat(int step);
    void FilterBoxClick(int index);
    void SetFilter();
    void ImportFile();
    void ExportFile(bool mailMerge);

    std::unique_ptr<Ui::Import> m_ui;
    std::unique_ptr<ControlCore> m_control;
    std::unique_ptr<FilterCore> m_filters;
    std::unique_ptr<ListCore> m_list;
    QTimer* m_timer;
    int m_repeatStep = 0;
    bool m_loading = false;
};
