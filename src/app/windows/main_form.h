#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

class ControlCore;
class FilterCore;
class ListCore;
class QAction;
class QCheckBox;
class QDate;
class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class QTimer;
class TemplateCore;
struct ListRecord;

namespace Ui {
class MainForm;
}

// The program's main window: it opens the current mailing list, shows one address record
// at a time for viewing, searching and editing, and opens every other window from its
// menus and toolbar. Closing it ends the program.
//
// The window's work is split over several files by responsibility:
//   main_form.cpp                start-up, settings toggles, key preview, shut-down
//   main_form_configuration.cpp  the Configuration panel (filter, template, count, path)
//   main_form_record.cpp         the record area: showing records, focus and key rules
//   main_form_commands.cpp       the record commands and the moves through the list
//   main_form_files.cpp          opening, backing up and compacting list files
//   main_form_menus.cpp          menu and toolbar wiring, the other windows, help
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);
    ~MainForm() override;

    // Opens the current list and fills the window from it; false (and nothing changed)
    // when it cannot be opened.
    bool OpenCurrentList();
    // Releases the record stores, which closes the list file.
    void CloseCurrentList();
    bool ListIsOpen() const;

    // Shows the list store's current record; blanks the area when the list is empty.
    void ShowRecord();
    // Blanks the record area.
    void ClearRecord();

    // The editor's state.
    bool Entering() const { return m_entering; }
    bool Editing() const { return m_editing; }
    bool Dirty() const { return m_dirty; }
    // The current filter's sort order (0-8); 0 without a filter.
    int SortOrder() const { return m_sortOrder; }
    // The record last shown or saved; 0 when the list is empty.
    qint64 CurrentID() const { return m_currentId; }
    // Read from the "BigScreen" setting when the window was made.
    bool BigScreen() const { return m_bigScreen; }

    // The window that shows a record's delivery point, opened modally by a shift-click on
    // the zip box (parent: this window; the record's ID). Until one is set the shift-click
    // checks the record's Zip+4 extension and does nothing more.
    using DeliveryPointOpener = std::function<void(QWidget* parent, qint64 recordId)>;
    void SetDeliveryPointOpener(DeliveryPointOpener opener);

    // The normal and the large initial size of the window's inner area, in pixels.
    static QSize NormalClientSize();
    static QSize LargeClientSize();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // main_form.cpp
    void ReadSettings();
    void SizeWindow();
    bool PreviewKey(QObject* watched, QEvent* event);
    bool InThisWindow(QObject* watched) const;
    bool IsMenuShortcut(const QKeyEvent* event) const;
    void ToggleInternational();
    void ToggleLargeScreen();
    bool NeedsList();
    // NeedsList, then a ding and false while a record is being entered or edited.
    bool NeedsListAndIdle();
    bool Busy() const { return m_entering || m_editing; }
    bool ListHasRecords() const;

    // main_form_configuration.cpp
    void ShowSwitchNames();
    void LoadTemplateBox();
    void ShowTemplateName();
    void ShowFilterInfo();
    void RefreshFilters();
    void FilterBoxClick(int index);
    void TemplateBoxClick(int index);

    // main_form_record.cpp
    void SetUpRecordArea();
    bool RecordAreaEvent(QObject* watched, QEvent* event);
    QWidget* KeyBox() const;
    void FocusKeyBox();
    bool BoxFocused(QWidget* box, QFocusEvent* event);
    bool BoxKeyPressed(QWidget* box, QKeyEvent* event);
    bool ZipBoxPressed(QMouseEvent* event);
    void SearchFrom(QWidget* box);
    void SelectBoxText(QWidget* box, bool caretAtEnd);
    void NameBoxChanged();
    void AddressBoxChanged();
    void StateBoxEdited();
    void MarkedCheckClick();
    void ImportedCheckClick();
    void FlagCheckClick(QCheckBox* box, bool marked);
    void SwitchClick(int index);
    void DateBoxCloseUp();
    void ShowLastEdit(const QDate& date);
    void SetSwitchBoxes(const QString& switches);
    void SetBoxText(QLineEdit* box, const QString& text);
    void FillFromTemplate();
    ListRecord RecordFromArea() const;
    QCheckBox* SwitchBox(int index) const;

    // main_form_commands.cpp
    void NewRecord();
    void EditRecord();
    void SaveRecord();
    void CancelInput();
    void DeleteRecord();
    void CopyAddress();
    void MarkRecord();
    void ToggleImportedFlag();
    void FirstRecord();
    void LastRecord();
    void UpOneRecord();
    void DownOneRecord();
    void UpdateEditControls();
    void ReloadRecord();
    void RepeatButtonPressed(bool up);
    void RepeatTimerTick();

    // main_form_files.cpp
    void OpenMailingList();
    void NewMailingList();
    void SetBackupPath();
    void BackupList();
    void CompactList();
    // Tells of damage the engine met in the current list, repairs it and opens it again;
    // waits while a window is open over this one or a record is being typed.
    void OfferRepairOfDamage();

    // main_form_menus.cpp
    void ConnectCommands();
    void ToolbarClick(QAction* button);
    void PrintLabels();
    void PrintLists();
    void SelectPrinter();
    void SetTemplate();
    void SetFilter();
    void ViewGrid();
    void DefineSwitches();
    void ImportExport();
    void ConvertAndPurge();
    void CheckDuplicates();
    void ShowAbout();
    void ShowHelpContents();

    std::unique_ptr<Ui::MainForm> ui;
    std::unique_ptr<ControlCore> m_control;
    std::unique_ptr<FilterCore> m_filters;
    std::unique_ptr<TemplateCore> m_templates;
    std::unique_ptr<ListCore> m_list;
    QTimer* m_timer;
    DeliveryPointOpener m_deliveryPoint;

    bool m_entering = false;
    bool m_editing = false;
    bool m_dirty = false;
    // Told in this spell of entering that a saved record is outside the current filter.
    bool m_toldOutsideFilter = false;
    // An offer of the repair is waiting for the work in hand to end.
    bool m_repairPending = false;
    bool m_loading = false;
    bool m_repeatUp = false;
    bool m_skipZipFocus = false;
    bool m_bigScreen = false;
    int m_sortOrder = 0;
    qint64 m_currentId = 0;
    QString m_addressShown;
};
