#include "filters/windows/import.h"

#include "filters/windows/import_preview.h"

#include "database/connection.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/statement.h"
#include "filters/build_filter_query.h"
#include "support/test_environment.h"
#include "support/write_protection.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

class ImportWindowTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
    }

    void AddNames(const QStringList& names) {
        auto db = Connection::Open(m_path);
        Transaction transaction(*db);
        Statement insert = db->Prepare("INSERT INTO List (Name, Zip, Phone) VALUES (?, ?, ?)");
        for (const QString& name : names)
            insert.Bind(1, name).Bind(2, "454020000").Bind(3, "9375551234").Run();
        transaction.Commit();
    }

    QStringList Column(const QString& sql) const {
        auto db = Connection::Open(m_path);
        Statement rows = db->Prepare(sql);
        QStringList values;
        while (rows.Step())
            values << rows.Value(0).toString();
        return values;
    }

    qint64 AddFilter(const QString& name, const QString& startName) {
        FilterRecord filter;
        filter.FilterName = name;
        filter.StartName = startName;
        filter.StartPhone = filter.EndPhone = "0000000000";
        filter.Query = BuildFilterQuery(filter);
        FilterCore filters;
        EXPECT_TRUE(filters.NewRecord(filter));
        return filters.ID();
    }

    template <typename T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static QListWidget* Available(QWidget& w) { return Child<QListWidget>(w, "AvailableList"); }
    static QListWidget* Current(QWidget& w) { return Child<QListWidget>(w, "CurrentList"); }
    static void Trigger(QWidget& w, const char* action) { Child<QAction>(w, action)->trigger(); }

    static QStringList Captions(QListWidget* list) {
        QStringList captions;
        for (int i = 0; i < list->count(); ++i)
            captions << list->item(i)->text();
        return captions;
    }

    // Leaves exactly these entries in the chosen list, by caption, through the buttons.
    static void Choose(QWidget& window, const QStringList& captions) {
        QListWidget* current = Current(window);
        current->selectAll();
        Child<QPushButton>(window, "RemoveButton")->click();
        QListWidget* available = Available(window);
        for (const QString& caption : captions) {
            const auto found = available->findItems(caption, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << qPrintable(caption);
            available->setCurrentItem(found.first());
            Child<QPushButton>(window, "AddButton")->click();
        }
        ASSERT_EQ(Captions(current), captions);
    }

    // Every preview is accepted as it is, after check looks at it.
    static void AcceptPreviews(Import& window, std::function<void(ImportPreview&)> check = {}) {
        window.m_confirmPreview = [check](ImportPreview& preview) {
            if (check)
                check(preview);
            return true;
        };
    }

    static QStringList TableRow(QTableWidget* table, int row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << (table->item(row, column) ? table->item(row, column)->text() : QString());
        return cells;
    }

    static void SelectOnly(QListWidget* list, int row) {
        list->clearSelection();
        list->setCurrentRow(row);
        list->item(row)->setSelected(true);
    }

    static void DoubleClick(QListWidget* list, int row) {
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        // The press before the double-click picks the item the double-click is on.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    QString m_path;
};

const QStringList kStandard = {
    "Name",  "Address Line 1", "Address Line 2", "Address Line 3", "City",
    "State", "Zip Code",       "E-Mail Address", "Phone",          "Attention Line",
    "Code",  "Carrier Route",  "Switches",       "Notes",          "Date of Last Edit"};

TEST_F(ImportWindowTest, OpensWithBothListsQuoteCommaAndTheFilters) {
    const qint64 id = AddFilter("From M", "M");
    AddFilter("Everyone", "");
    ControlCore().SetCurrentFilter(id);
    Import window;
    EXPECT_EQ(window.windowTitle(), "Import/Export Text Files");
    EXPECT_EQ(Captions(Current(window)), kStandard);
    EXPECT_EQ(Captions(Available(window)),
              kStandard +
                  QStringList({"Last Name", "First Name", "Reversed Name", "<Skip Field>"}));
    EXPECT_EQ(Available(window)->item(18)->data(Qt::UserRole).toInt(), 0);
    EXPECT_EQ(Available(window)->item(14)->data(Qt::UserRole).toInt(), 15);
    EXPECT_EQ(Current(window)->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(Child<QRadioButton>(window, "QuoteCommaOption")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(window, "TabOption")->isChecked());
    EXPECT_EQ(window.ChosenDelimiter(), Delimiter::QuoteComma);
    EXPECT_EQ(Child<QLineEdit>(window, "StartWithBox")->text(), "");
    EXPECT_EQ(Child<QLineEdit>(window, "IntervalBox")->text(), "");
    QComboBox* filters = Child<QComboBox>(window, "FilterBox");
    ASSERT_EQ(filters->count(), 3);
    EXPECT_EQ(filters->itemText(0), "<None>");
    EXPECT_EQ(filters->currentText(), "From M");
    QStringList toolbar;
    for (QAction* action : Child<QToolBar>(window, "Toolbar1")->actions())
        toolbar << action->iconText();
    EXPECT_EQ(toolbar, QStringList({"Filter", "Import", "Export"}));
    EXPECT_EQ(Child<QAction>(window, "mnuImportFilter")->text(), "Set &Filter...");
    EXPECT_EQ(Child<QAction>(window, "mnuImportImport")->text(), "&Import...");
    EXPECT_EQ(Child<QAction>(window, "mnuImportExport")->text(), "&Export...");
    EXPECT_EQ(Child<QAction>(window, "mnuImportMailMerge")->text(),
              "Create &Mail Merge Data File...");
    EXPECT_EQ(Child<QAction>(window, "mnuFileExit")->text(), "E&xit");
}

TEST_F(ImportWindowTest, AddRemoveAndDoubleClicksArrangeTheChosenList) {
    Import window;
    window.show();
    QListWidget* available = Available(window);
    QListWidget* current = Current(window);
    // Add appends the available item at the end, any number of times; the available list
    // stays as it was.
    available->setCurrentRow(16); // First Name
    Child<QPushButton>(window, "AddButton")->click();
    Child<QPushButton>(window, "AddButton")->click();
    DoubleClick(available, 18); // <Skip Field>
    EXPECT_EQ(current->count(), 18);
    EXPECT_EQ(Captions(current).mid(15), QStringList({"First Name", "First Name", "<Skip Field>"}));
    EXPECT_EQ(window.ChosenFields().mid(15), QList<int>({17, 17, 0}));
    EXPECT_EQ(available->count(), 19);
    // Remove takes every selected entry; a double-click takes the one clicked.
    current->clearSelection();
    for (int row : {0, 2, 16})
        current->item(row)->setSelected(true);
    Child<QPushButton>(window, "RemoveButton")->click();
    EXPECT_EQ(Captions(current).mid(0, 3),
              QStringList({"Address Line 1", "Address Line 3", "City"}));
    EXPECT_EQ(current->count(), 15);
    DoubleClick(current, 0);
    EXPECT_EQ(Captions(current).first(), "Address Line 3");
    EXPECT_EQ(current->count(), 14);
    // Add without a chosen available item does nothing.
    available->setCurrentItem(nullptr);
    Child<QPushButton>(window, "AddButton")->click();
    EXPECT_EQ(current->count(), 14);
}

TEST_F(ImportWindowTest, UpAndDownMoveTheSelectedEntry) {
    Import window;
    window.show();
    QListWidget* current = Current(window);
    auto* up = Child<QToolButton>(window, "UpButton");
    auto* down = Child<QToolButton>(window, "DownButton");
    SelectOnly(current, 2); // Address Line 2
    up->click();
    EXPECT_EQ(current->item(1)->text(), "Address Line 2");
    EXPECT_TRUE(current->item(1)->isSelected());
    up->click();
    up->click(); // at the top: nothing happens
    EXPECT_EQ(Captions(current).mid(0, 3),
              QStringList({"Address Line 2", "Name", "Address Line 1"}));
    SelectOnly(current, 14);
    down->click(); // at the bottom
    EXPECT_EQ(current->item(14)->text(), "Date of Last Edit");
    current->clearSelection();
    down->click(); // no selection
    EXPECT_EQ(current->item(14)->text(), "Date of Last Edit");

    // Holding the button repeats the move (after 500 ms, then every 200 ms) until released.
    SelectOnly(current, 14);
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_EQ(current->currentRow(), 13); // the first move at once
    QTest::qWait(950);
    QTest::mouseRelease(up, Qt::LeftButton);
    const int row = current->currentRow();
    EXPECT_LE(row, 12); // at least one repeat; more on a slow machine is not asked for
    EXPECT_GE(row, 9);
    QTest::qWait(450);
    EXPECT_EQ(current->currentRow(), row);
    EXPECT_EQ(current->currentItem()->text(), "Date of Last Edit");

    // Up and Down with Shift, Ctrl or Alt move the entry once; alone they move the selection.
    SelectOnly(current, 5);
    const QString moved = current->item(5)->text();
    current->setFocus();
    QTest::keyClick(current, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(current, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(current, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(current->item(6)->text(), moved);
    EXPECT_EQ(current->currentRow(), 6);
    const QStringList order = Captions(current);
    QTest::keyClick(current, Qt::Key_Down);
    EXPECT_EQ(Captions(current), order);
    EXPECT_EQ(current->currentRow(), 7);
}

TEST_F(ImportWindowTest, ImportReadsTheChosenFileWithTheChosenFieldsAndDelimiter) {
    const QString file = Path("people.txt");
    WriteBytes(file, "Smith\tDayton\r\nJones\tAkron\r\n");
    Import window;
    int previews = 0;
    AcceptPreviews(window, [&previews](ImportPreview&) { ++previews; });
    Choose(window, {"Name", "City"});
    Child<QRadioButton>(window, "TabOption")->click();
    m_dialogs->ChooseFile("");
    Trigger(window, "mnuImportImport"); // cancelled: nothing happens
    m_dialogs->ChooseFile(Path("missing.txt"));
    Trigger(window, "mnuImportImport"); // no such file: nothing either
    EXPECT_TRUE(Column("SELECT Name FROM List").isEmpty());
    m_dialogs->ChooseFile(file);
    Trigger(window, "mnuImportImport");
    EXPECT_EQ(Column("SELECT Name || '/' || City || '/' || Imported FROM List ORDER BY ID"),
              QStringList({"Smith/Dayton/1", "Jones/Akron/1"}));
    EXPECT_EQ(m_dialogs->FileDialogTitles().size(), 3);
    EXPECT_EQ(previews, 1);
    m_dialogs->ExpectMessage("2 records were imported.");

    // An invalid line: told with its number, and the lines around it come in.
    WriteBytes(file, "\"Brown\",\"Canton\"\r\nBad line\r\n\"Last\",\"x\"\r\n");
    Child<QRadioButton>(window, "QuoteCommaOption")->click();
    m_dialogs->ChooseFile(file);
    Trigger(window, "mnuImportImport");
    m_dialogs->ExpectMessage("Invalid input file.\n2 records were imported.\n"
                             "1 line was not imported: line 2 (not a record)");
    EXPECT_EQ(Column("SELECT Name FROM List ORDER BY ID"),
              QStringList({"Smith", "Jones", "Brown", "Last"}));

    // Cancelling the preview stores nothing; a file that is not text gets no preview.
    window.m_confirmPreview = [](ImportPreview&) { return false; };
    m_dialogs->ChooseFile(file);
    Trigger(window, "mnuImportImport");
    WriteBytes(Path("picture.png"), QByteArray("\x89PNG\0\0\0", 7));
    m_dialogs->ChooseFile(Path("picture.png"));
    Trigger(window, "mnuImportImport");
    m_dialogs->ExpectMessage("This is not a text file; nothing was imported.\n" +
                             Path("picture.png"));
    EXPECT_EQ(Column("SELECT count(*) FROM List"), QStringList("4"));
}

TEST_F(ImportWindowTest, TheCsvPreviewShowsTheRecordsAsStoredAndTheMappingCanChange) {
    WriteBytes(Path("sheet.csv"), "\xEF\xBB\xBF"
                                  "First Name;Last Name;Street;City;ZIP;Member No\r\n"
                                  "Ann;Adams;\"12 Oak St\r\nSuite 4\";Madison;53703-1234;A1\r\n"
                                  "Bo;Baker;1 Elm;Ohio City;45874;B2\r\n");
    Import window;
    Child<QRadioButton>(window, "CsvOption")->click();
    EXPECT_EQ(window.ChosenDelimiter(), Delimiter::Csv);
    AcceptPreviews(window, [this](ImportPreview& preview) {
        auto* mapping = preview.findChild<QTableWidget*>("MappingTable");
        auto* records = preview.findChild<QTableWidget*>("PreviewTable");
        ASSERT_NE(mapping, nullptr);
        ASSERT_NE(records, nullptr);
        EXPECT_EQ(preview.findChild<QComboBox*>("CsvDelimiterBox")->currentText(), "Semicolon");
        ASSERT_EQ(mapping->rowCount(), 6);
        EXPECT_EQ(TableRow(mapping, 4).mid(0, 3), QStringList({"5", "ZIP", "53703-1234"}));
        auto item = [&](int row) { return qobject_cast<QComboBox*>(mapping->cellWidget(row, 3)); };
        EXPECT_EQ(item(0)->currentText(), "First Name");
        EXPECT_EQ(item(5)->currentText(), "<Skip Field>");
        ASSERT_EQ(records->rowCount(), 2);
        EXPECT_EQ(
            TableRow(records, 0).mid(0, 6),
            QStringList({"2", "Adams; Ann", "12 Oak St\nSuite 4", "Madison", "", "537031234"}));
        EXPECT_EQ(preview.findChild<QLabel*>("NotesLabel")->text(), "Not imported: \"Member No\".");
        // Told that the first line is data, the preview shows it as a record in the
        // window's order of items; told again, it is the header it was.
        auto* header = preview.findChild<QCheckBox*>("HeaderBox");
        EXPECT_TRUE(header->isChecked());
        header->click();
        EXPECT_EQ(records->rowCount(), 3);
        EXPECT_EQ(item(0)->currentText(), "Name");
        header->click();
        EXPECT_EQ(records->rowCount(), 2);
        // F1 opens the guide where it tells of the preview.
        Q_EMIT preview.findChild<QShortcut*>("HelpKey")->activated();
        ASSERT_FALSE(m_dialogs->OpenedUrls().isEmpty());
        EXPECT_TRUE(m_dialogs->OpenedUrls().back().endsWith("/import-export.html#import"));
        // The member number becomes the record's code, in the preview and in the import.
        item(5)->setCurrentIndex(item(5)->findText("Code"));
        EXPECT_EQ(TableRow(records, 1)[9], "B2");
        EXPECT_EQ(preview.findChild<QLabel*>("NotesLabel")->text(), "");
        EXPECT_EQ(Column("SELECT count(*) FROM List"), QStringList("0"));
    });
    m_dialogs->ChooseFile(Path("sheet.csv"));
    Trigger(window, "mnuImportImport");
    m_dialogs->ExpectMessage("2 records were imported.");
    EXPECT_EQ(Column("SELECT Name || '/' || Address || '/' || Code FROM List ORDER BY ID"),
              QStringList({"Adams; Ann/12 Oak St\r\nSuite 4/A1", "Baker; Bo/1 Elm/B2"}));

    // Exported as CSV: a header line of the chosen captions.
    Choose(window, {"Name", "Code"});
    m_dialogs->ChooseFile(Path("out.csv"));
    Trigger(window, "mnuImportExport");
    EXPECT_EQ(ReadBytes(Path("out.csv")),
              "\xEF\xBB\xBFName,Code\r\nAdams; Ann,A1\r\nBaker; Bo,B2\r\n");
}

TEST_F(ImportWindowTest, CancellingTheProgressKeepsTheRowsAndSaysHowMany) {
    QByteArray bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += "Name " + QByteArray::number(i) + "\r\n";
    WriteBytes(Path("many.txt"), bytes);
    Import window;
    AcceptPreviews(window);
    Choose(window, {"Name"});
    Child<QRadioButton>(window, "TabOption")->click();
    // The user presses Cancel as soon as the progress dialog is there.
    QTimer::singleShot(0, &window, [&window] {
        auto* progress = window.findChild<QProgressDialog*>();
        ASSERT_NE(progress, nullptr);
        for (QPushButton* button : progress->findChildren<QPushButton*>())
            button->click();
    });
    m_dialogs->ChooseFile(Path("many.txt"));
    Trigger(window, "mnuImportImport");
    const qint64 kept = Column("SELECT count(*) FROM List").first().toLongLong();
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, 5000);
    m_dialogs->ExpectMessage(QStringLiteral("Import stopped. %1 records were imported.").arg(kept));
}

TEST_F(ImportWindowTest, ExportAndMailMergeWriteTheFilterWithTheNthSelectBoxes) {
    Import window;
    // No record: a beep and no dialog.
    Trigger(window, "mnuImportExport");
    Trigger(window, "mnuImportMailMerge");
    EXPECT_EQ(m_dialogs->Beeps(), 2);
    EXPECT_TRUE(m_dialogs->FileDialogTitles().isEmpty());

    AddNames({"Adams", "Baker", "Clark", "Davis", "Evans", "Ford"});
    Choose(window, {"Name", "Zip Code", "Phone"});
    Child<QRadioButton>(window, "TabOption")->click();
    QTest::keyClicks(Child<QLineEdit>(window, "StartWithBox"), "1");
    QTest::keyClicks(Child<QLineEdit>(window, "IntervalBox"), "2.5"); // rounds to 2
    m_dialogs->ChooseFile(Path("out.ltx"));
    Trigger(window, "mnuImportExport");
    EXPECT_EQ(ReadBytes(Path("out.ltx")), "Baker\t454020000\t9375551234\r\n"
                                          "Davis\t454020000\t9375551234\r\n"
                                          "Ford\t454020000\t9375551234\r\n");
    m_dialogs->ChooseFile("");
    Trigger(window, "mnuImportExport"); // cancelled
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());

    // The filter chosen in the box is the list's current filter, and the export's.
    Child<QLineEdit>(window, "StartWithBox")->clear();
    Child<QLineEdit>(window, "IntervalBox")->clear();
    Child<QRadioButton>(window, "QuoteCommaOption")->click();
    const qint64 fromD = AddFilter("From D", "D");
    const qint64 nobody = AddFilter("Nobody", "X");
    window.m_openFilterEditor = [](QWidget*) {}; // the editor closes at once
    Trigger(window, "mnuImportFilter");          // and the box is filled again
    QComboBox* box = Child<QComboBox>(window, "FilterBox");
    ASSERT_EQ(box->count(), 3);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(ControlCore().CurrentFilter(), fromD);
    m_dialogs->ChooseFile(Path("merge.txt"));
    Trigger(window, "mnuImportMailMerge");
    EXPECT_EQ(ReadBytes(Path("merge.txt")), "\"Name\",\"ZipCode\",\"Phone\"\r\n"
                                            "\"Davis\",\"45402\",\"(937) 555-1234\"\r\n"
                                            "\"Evans\",\"45402\",\"(937) 555-1234\"\r\n"
                                            "\"Ford\",\"45402\",\"(937) 555-1234\"\r\n");
    // A filter that selects nothing: no file and no message.
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(ControlCore().CurrentFilter(), nobody);
    m_dialogs->ChooseFile(Path("none.txt"));
    Trigger(window, "mnuImportMailMerge");
    EXPECT_FALSE(QFileInfo::exists(Path("none.txt")));
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
    QTest::keyClick(box, Qt::Key_Up);
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->currentText(), "<None>");
    EXPECT_EQ(ControlCore().CurrentFilter(), 0);
}

TEST_F(ImportWindowTest, FilesThatCantBeWrittenGetTheirMessages) {
    AddNames({"Adams"});
    Import window;
    // A name the dialog gave back that is no file name here.
    m_dialogs->ChooseFile(Path("no folder/out.ltx"));
    Trigger(window, "mnuImportExport");
    m_dialogs->ExpectMessage("Invalid path name: \n" + Path("no folder/out.ltx"));
    m_dialogs->ChooseFile(m_dir->path());
    Trigger(window, "mnuImportMailMerge");
    m_dialogs->ExpectMessage("Invalid path name: \n" + m_dir->path());

    // Other failures: a name longer than the file system takes.
    const QString tooLong = Path(QString(300, 'x') + ".ltx");
    m_dialogs->ChooseFile(tooLong);
    Trigger(window, "mnuImportExport");
    m_dialogs->ExpectMessage("Couldn't create the export file. Reason unknown.\n" + tooLong);
    m_dialogs->ChooseFile(tooLong);
    Trigger(window, "mnuImportMailMerge");
    m_dialogs->ExpectMessage("Couldn't read the file. Reason unknown.\n" + tooLong);

    // A write-protected folder; an earlier file there stays as it was.
    QDir().mkpath(Path("locked"));
    WriteBytes(Path("locked/out.ltx"), "earlier");
    WriteProtection protection(Path("locked"));
    if (!protection.Active())
        GTEST_SKIP() << qPrintable(protection.Reason());
    for (const char* action : {"mnuImportExport", "mnuImportMailMerge"}) {
        m_dialogs->ChooseFile(Path("locked/out.ltx"));
        Trigger(window, action);
        m_dialogs->ExpectMessage("File is locked or write protected\n" + Path("locked/out.ltx"));
    }
    EXPECT_EQ(ReadBytes(Path("locked/out.ltx")), "earlier");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
