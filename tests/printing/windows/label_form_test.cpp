#include "printing/windows/label_form.h"

#include "app/value_formats.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/label_core.h"
#include "database/list_record.h"
#include "printing/intelligent_mail_settings.h"
#include "printing/label_product.h"
#include "printing/windows/intelligent_mail_form.h"
#include "printing/windows/label_product_chooser.h"
#include "printing/windows/preview_page_view.h"
#include "printing/windows/preview_watch.h"
#include "printing/windows/print_label_select.h"
#include "support/label_fixtures.h"
#include "support/printing_test.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <deque>

namespace {

QStringList Entries(const QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

// Clicks the buttons of the "Continue Printing?" windows to come, one per window.
class ContinueAnswers : public QObject {
public:
    explicit ContinueAnswers(std::deque<const char*> buttons) : m_buttons(std::move(buttons)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Answer(); });
        m_timer.start();
    }
    int Asked() const { return m_asked; }

private:
    void Answer() {
        auto* window = qobject_cast<PrintLabelSelect*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible() || m_buttons.empty())
            return;
        EXPECT_EQ(window->windowTitle(), "Continue Printing?");
        window->findChild<QPushButton*>(m_buttons.front())->click();
        m_buttons.pop_front();
        ++m_asked;
    }

    std::deque<const char*> m_buttons;
    QTimer m_timer;
    int m_asked = 0;
};

} // namespace

class LabelWindow : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        MakeList();
        m_avery5162 = AddAvery5162();
        m_avery5160 = AddAvery5160();
        ControlCore().SetCurrentLabel(m_avery5160);
    }
    void TearDown() override {
        m_form.reset();
        PrintingTest::TearDown();
    }

    void Open() {
        m_form = std::make_unique<LabelForm>();
        m_form->show();
    }
    template <typename T = QLineEdit> T* Find(const char* name) {
        T* found = m_form->findChild<T*>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }
    QString Text(const char* box) { return Find(box)->text(); }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
    void Click(const char* button) { Find<QAbstractButton>(button)->click(); }
    void Type(const char* box, const QString& text) {
        QLineEdit* edit = Find(box);
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, text);
    }
    void ChooseLabel(const QString& name) {
        auto* list = Find<QListWidget>("LabelList");
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
    }
    void ChooseElement(const char* list, const QString& caption) {
        auto* widget = Find<QListWidget>(list);
        widget->setCurrentItem(widget->findItems(caption, Qt::MatchExactly).value(0));
    }
    int Labels() {
        int count = 0;
        for (const QString& text : Recorder()->Texts())
            count += text.startsWith("First Name");
        return count;
    }

    qint64 m_avery5160 = 0;
    qint64 m_avery5162 = 0;
    std::unique_ptr<LabelForm> m_form;
};

TEST_F(LabelWindow, OpensOnTheCurrentLabelWithTheFiguresOfTheRun) {
    AddAddressRecords(45);
    Open();
    EXPECT_EQ(m_form->windowTitle(), "Print Mailing Labels");
    EXPECT_EQ(Entries(Find<QListWidget>("LabelList")), (QStringList{"Avery 5162", "Avery 5160"}));
    EXPECT_EQ(Find<QListWidget>("LabelList")->currentItem()->text(), "Avery 5160");
    EXPECT_EQ(Text("LabelNameBox"), "Avery 5160");
    EXPECT_EQ(Text("RowsBox"), "10");
    EXPECT_EQ(Text("ColumnsBox"), "3");
    EXPECT_EQ(Text("TopIndentBox"), "0.5");
    EXPECT_EQ(Text("ColumnDifferenceBox"), "2.8");
    EXPECT_EQ(Text("TypeSizeBox"), "10");
    // 45 records on 30 positions: two sheets, one label each, no Fill Page.
    EXPECT_EQ(Text("RecordCountBox"), "45");
    EXPECT_EQ(Text("PageCountBox"), "2");
    EXPECT_EQ(Text("LabelsPerRecordBox"), "1");
    EXPECT_FALSE(Find<QCheckBox>("FullPageCheck")->isEnabled());
    EXPECT_EQ(Text("SortBox"), "Name");
    EXPECT_EQ(Text("RowBox"), "1");
    EXPECT_EQ(Text("ColBox"), "1");
    EXPECT_EQ(Entries(Find<QListWidget>("LayoutList")), (QStringList{"Name", "Address"}));
    EXPECT_EQ(Entries(Find<QListWidget>("AvailableList")),
              (QStringList{"Name", "Address", "AttentionLine", "Code", "Carrier Route"}));
    EXPECT_TRUE(Find<QRadioButton>("BarCodeOption0")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("PreviewDPCheck")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("StopButton")->isVisible());
    EXPECT_FALSE(Find<QLabel>("StatusBox")->isVisible());
    EXPECT_FALSE(Find<QAction>("mnuLabelSave")->isVisible());
    EXPECT_EQ(Find<QComboBox>("FilterBox")->currentText(), "<None>");

    // Another label: its values, its figures, and it is the current label from now on.
    ChooseLabel("Avery 5162");
    EXPECT_EQ(Text("RowDifferenceBox"), "1.32");
    EXPECT_EQ(Text("PageCountBox"), "4"); // 14 + 14 + 14 + 3
    EXPECT_EQ(ControlCore().CurrentLabel(), m_avery5162);
}

TEST_F(LabelWindow, FillPageRepeatsEachRecordOfASmallRun) {
    AddAddressRecords(7);
    Open();
    auto* fillPage = Find<QCheckBox>("FullPageCheck");
    EXPECT_TRUE(fillPage->isEnabled());
    EXPECT_EQ(Text("LabelsPerRecordBox"), "1");
    fillPage->click();
    EXPECT_EQ(Text("LabelsPerRecordBox"), "4");
    Trigger("mnuFilePrint");
    EXPECT_EQ(Labels(), 28);
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
    fillPage->click();
    EXPECT_EQ(Text("LabelsPerRecordBox"), "1");
    Recorder()->Clear();
    Trigger("mnuFilePrint");
    EXPECT_EQ(Labels(), 7);
}

TEST_F(LabelWindow, StartPositionNeverBelowOneAndClampedToTheSheetWhenLeft) {
    AddAddressRecords(45);
    Open();
    Type("RowBox", "0");
    EXPECT_EQ(Text("RowBox"), "1");
    Type("RowBox", "");
    EXPECT_EQ(Text("RowBox"), "1");
    Find<QListWidget>("AvailableList")->setCurrentRow(0);
    Type("RowBox", "15");
    EXPECT_EQ(Text("RowBox"), "15");
    QTest::keyClick(Find("RowBox"), Qt::Key_Return);
    EXPECT_EQ(Text("RowBox"), "10");
    EXPECT_EQ(Find<QListWidget>("LayoutList")->count(), 2) << "Return pressed no button";
    Type("ColBox", "3");
    QTest::keyClick(Find("ColBox"), Qt::Key_Return);
    // One position left on the first sheet: 1 + 30 + 14.
    EXPECT_EQ(Text("PageCountBox"), "3");

    // The run starts there.
    Trigger("mnuFilePrint");
    const auto texts = Recorder()->OperationsOf(PrintOperation::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].x, 8064);
    EXPECT_EQ(texts[0].y, 720 + 9 * 1440);
}

TEST_F(LabelWindow, LayoutEditingWithCarrierRouteOnTop) {
    AddAddressRecords(1);
    Open();
    auto* layout = Find<QListWidget>("LayoutList");
    ChooseElement("AvailableList", "Carrier Route");
    Click("AddButton");
    EXPECT_EQ(Entries(layout), (QStringList{"Carrier Route", "Name", "Address"}));
    EXPECT_EQ(layout->currentRow(), 0);
    ChooseElement("AvailableList", "Name"); // an element may stand twice
    Click("AddButton");
    EXPECT_EQ(Entries(layout), (QStringList{"Carrier Route", "Name", "Address", "Name"}));
    EXPECT_EQ(Find<QListWidget>("AvailableList")->count(), 5);

    layout->setCurrentRow(0);
    Click("DownButton");
    EXPECT_EQ(Entries(layout), (QStringList{"Name", "Carrier Route", "Address", "Name"}));
    EXPECT_EQ(layout->currentRow(), 1);
    layout->setCurrentRow(3);
    Click("DownButton"); // already last
    Click("UpButton");
    EXPECT_EQ(Entries(layout), (QStringList{"Name", "Carrier Route", "Name", "Address"}));
    EXPECT_EQ(layout->currentRow(), 2);
    Click("RemoveButton");
    EXPECT_EQ(Entries(layout), (QStringList{"Name", "Carrier Route", "Address"}));

    // Double-clicks add and remove too.
    auto* available = Find<QListWidget>("AvailableList");
    available->setCurrentRow(3);                      // a double-click selects the entry first
    available->itemDoubleClicked(available->item(3)); // Code
    EXPECT_EQ(Entries(layout).last(), "Code");
    layout->setCurrentRow(0);
    layout->itemDoubleClicked(layout->item(0));
    EXPECT_EQ(Entries(layout), (QStringList{"Carrier Route", "Address", "Code"}));
}

TEST_F(LabelWindow, BarcodeChoiceAndItsPreviewCheck) {
    AddAddressRecords(1, [](int, ListRecord& record) { record.Address = "55 RIVER RD"; });
    Open();
    auto* preview = Find<QCheckBox>("PreviewDPCheck");
    Click("BarCodeOption3");
    EXPECT_TRUE(preview->isEnabled());
    preview->click();
    Trigger("mnuFilePrint");
    EXPECT_TRUE(Recorder()->Texts().contains("62701-0001 55 3"));

    Click("BarCodeOption1");
    EXPECT_FALSE(preview->isEnabled());
    EXPECT_FALSE(preview->isChecked());
    Recorder()->Clear();
    Trigger("mnuFilePrint");
    EXPECT_EQ(Recorder()->OperationsOf(PrintOperation::Rect).size(), 32u);
}

TEST_F(LabelWindow, IntelligentMailChoiceWithItsSettingsWindow) {
    AddAddressRecords(2);
    Open();
    EXPECT_EQ(Find<QRadioButton>("BarCodeOption4")->text(), "Intelligent Mail");
    Click("BarCodeOption3");
    Click("BarCodeOption4");
    EXPECT_FALSE(Find<QCheckBox>("PreviewDPCheck")->isEnabled());

    // Without settings nothing prints; the message points to the settings window.
    Trigger("mnuFilePrint");
    EXPECT_TRUE(m_dialogs->TakeMessage().text.contains("Intelligent Mail Settings"));
    EXPECT_TRUE(Recorder()->Operations().empty());

    // The settings window opens modally from the barcode frame.
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto* window = qobject_cast<IntelligentMailForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(window);
        seen = true;
        window->findChild<QLineEdit*>("ServiceTypeBox")->setText("300");
        window->findChild<QLineEdit*>("MailerIdBox")->setText("123456");
        window->findChild<QLineEdit*>("SerialBox")->setText("7");
        window->findChild<QPushButton*>("OKButton")->click();
    });
    Click("IntelligentMailButton");
    EXPECT_TRUE(seen);

    Trigger("mnuFilePrint");
    const auto rects = Recorder()->OperationsOf(PrintOperation::Rect);
    EXPECT_EQ(rects.size(), 2u * 65);
    EXPECT_EQ(rects.front().y, 720); // the top of the first 5160 label
    EXPECT_EQ(Recorder()->OperationsOf(PrintOperation::Text).front().y, 720 + 288);
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 9);
    // The barcodes are wider than the 5160 labels; the window tells so once, at the end.
    EXPECT_TRUE(m_dialogs->TakeMessage().text.startsWith("2 labels were cut to fit"));
}

TEST_F(LabelWindow, InternationalModeOffersTheZipAndNoBarcodes) {
    SetInternational(true);
    AddAddressRecords(1);
    Open();
    EXPECT_FALSE(Find<QGroupBox>("BarcodeFrame")->isVisible());
    EXPECT_FALSE(Find<QRadioButton>("BarCodeOption4")->isVisible());
    EXPECT_FALSE(Find<QPushButton>("IntelligentMailButton")->isVisible());
    EXPECT_EQ(Entries(Find<QListWidget>("AvailableList")).last(), "Zip Code");
    Trigger("mnuFilePrint");
    EXPECT_TRUE(Recorder()->OperationsOf(PrintOperation::Rect).empty());
}

TEST_F(LabelWindow, NewDefinitionIsCheckedSavedAndShown) {
    AddAddressRecords(3);
    Open();
    Trigger("mnuLabelNew");
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::New);
    EXPECT_TRUE(Find<QLabel>("StatusBox")->isVisible());
    EXPECT_EQ(Find<QLabel>("StatusBox")->text(), "New Label");
    EXPECT_TRUE(Find<QAction>("mnuLabelSave")->isVisible());
    EXPECT_TRUE(Find<QAction>("Toolbar1Save")->isEnabled());
    EXPECT_EQ(Text("RowsBox"), "");

    // Printing is refused meanwhile: only the sound.
    const int beeps = m_dialogs->Beeps();
    Trigger("mnuFilePrint");
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 1);
    EXPECT_TRUE(Recorder()->Operations().empty());

    Trigger("mnuLabelSave");
    m_dialogs->ExpectMessage("You must enter a name for this label type");
    Type("LabelNameBox", "Two across");
    Type("RowsBox", "8");
    Type("ColumnsBox", "2");
    Type("RowDifferenceBox", "1.25");
    Type("TypeSizeBox", "11");
    Trigger("mnuLabelSave");
    m_dialogs->ExpectMessage("You must enter the width of a label");
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::New);
    EXPECT_EQ(Text("LabelNameBox"), "Two across");

    // Another definition cannot be picked meanwhile.
    const int before = m_dialogs->Beeps();
    ChooseLabel("Avery 5162");
    EXPECT_EQ(m_dialogs->Beeps(), before + 1);
    EXPECT_EQ(Find<QListWidget>("LabelList")->currentItem()->text(), "Avery 5160");
    EXPECT_EQ(Text("LabelNameBox"), "Two across");

    // One column needs no column difference.
    Type("ColumnsBox", "1");
    Find<QAction>("Toolbar1Save")->trigger();
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::Viewing);
    EXPECT_FALSE(Find<QLabel>("StatusBox")->isVisible());
    EXPECT_EQ(Entries(Find<QListWidget>("LabelList")),
              (QStringList{"Avery 5162", "Avery 5160", "Two across"}));
    EXPECT_EQ(Find<QListWidget>("LabelList")->currentItem()->text(), "Two across");
    EXPECT_EQ(Text("RowDifferenceBox"), "1.25");
    EXPECT_EQ(Text("ColumnDifferenceBox"), "0");
    EXPECT_EQ(Text("PageCountBox"), "1");
    LabelCore labels;
    labels.SetID(m_form->CurrentLabel());
    EXPECT_EQ(labels.LName(), "Two across");
    EXPECT_EQ(labels.LRows(), 8);
    EXPECT_EQ(labels.LTypeSize(), 11);
    EXPECT_EQ(ControlCore().CurrentLabel(), m_form->CurrentLabel());
}

TEST_F(LabelWindow, DefinitionBoxesAreLockedWhileViewing) {
    AddAddressRecords(1);
    Open();
    const int beeps = m_dialogs->Beeps();
    QTest::keyClicks(Find("LabelNameBox"), "x");
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 1);
    EXPECT_EQ(Text("LabelNameBox"), "Avery 5160");
    QFocusEvent click(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(Find("RowsBox"), &click);
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 2);
    EXPECT_EQ(Find("RowsBox")->focusPolicy(), Qt::ClickFocus) << "tabbing passes over it";
    EXPECT_FALSE(Find<QAction>("mnuLabelSave")->isEnabled());
    EXPECT_FALSE(Find<QAction>("Toolbar1Save")->isEnabled());

    // Edit unlocks them; Delete leaves Edit mode with the stored values back.
    Trigger("mnuLabelEdit");
    EXPECT_EQ(Find<QLabel>("StatusBox")->text(), "Edit Label");
    Type("RowsBox", "12");
    EXPECT_EQ(Text("RowsBox"), "12");
    Trigger("mnuLabelDelete");
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::Viewing);
    EXPECT_EQ(Text("RowsBox"), "10");
}

TEST_F(LabelWindow, NewWhileEditingAsksToSaveFirst) {
    AddAddressRecords(1);
    Open();
    Trigger("mnuLabelEdit");
    Type("TypeSizeBox", "9");
    m_dialogs->AnswerNo();
    Trigger("mnuLabelNew");
    EXPECT_EQ(m_dialogs->Questions().back().text,
              "You are editing the current Label. Do you want to save it?");
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::Edit);
    EXPECT_EQ(Text("TypeSizeBox"), "9");

    m_dialogs->AnswerYes();
    Trigger("mnuLabelNew");
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::New);
    LabelCore labels;
    labels.SetID(m_avery5160);
    EXPECT_EQ(labels.LTypeSize(), 9);
    // Edit is refused while a new definition is entered; Delete abandons it.
    const int beeps = m_dialogs->Beeps();
    Trigger("mnuLabelEdit");
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 1);
    Trigger("mnuLabelDelete");
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::Viewing);
    EXPECT_EQ(Text("LabelNameBox"), "Avery 5162"); // the first entry again
}

TEST_F(LabelWindow, DeletingAsksTwiceAndKeepsTheLastDefinition) {
    AddAddressRecords(1);
    Open();
    m_dialogs->AnswerYes();
    m_dialogs->AnswerYes();
    Trigger("mnuLabelDelete");
    ASSERT_EQ(m_dialogs->Questions().size(), 2u);
    EXPECT_EQ(m_dialogs->Questions()[0].text, "Delete this Label?");
    EXPECT_EQ(m_dialogs->Questions()[1].text, "Are you sure?");
    EXPECT_EQ(m_dialogs->Questions()[1].title, "Checking");
    EXPECT_EQ(Entries(Find<QListWidget>("LabelList")), (QStringList{"Avery 5162"}));
    EXPECT_EQ(Text("LabelNameBox"), "Avery 5162");
    EXPECT_EQ(ControlCore().CurrentLabel(), 0);

    Trigger("mnuLabelDelete");
    m_dialogs->ExpectMessage("You must keep at least one label definition");
    EXPECT_EQ(Find<QListWidget>("LabelList")->count(), 1);
}

TEST_F(LabelWindow, StopPrintingEndsTheRunAtTheEndOfTheSheet) {
    AddAddressRecords(45);
    Open();
    bool sawStopButton = false;
    int beeps = 0;
    // At the run's first turn for the user interface.
    QTimer::singleShot(0, m_form.get(), [&] {
        auto* stop = Find<QPushButton>("StopButton");
        sawStopButton = stop->isVisible();
        beeps = m_dialogs->Beeps();
        Trigger("mnuFilePrint"); // no second run meanwhile
        m_form->reject();        // nor closing the window
        stop->click();
    });
    Trigger("mnuFilePrint");
    EXPECT_TRUE(sawStopButton);
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 2);
    EXPECT_EQ(Labels(), 30); // the first sheet was finished, then thrown away
    EXPECT_EQ(Recorder()->KilledDocuments(), 1);
    EXPECT_EQ(Recorder()->EndedDocuments(), 0);
    EXPECT_FALSE(Find<QPushButton>("StopButton")->isVisible());
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_FALSE(m_form->Printing());
}

TEST_F(LabelWindow, ContinuePrintingWindowBetweenSheets) {
    AddAddressRecords(65);
    Open();
    auto* between = Find<QCheckBox>("StopBetweenSheetsCheck");
    between->click();
    {
        ContinueAnswers answers({"NextPageButton", "QuitButton"});
        Trigger("mnuFilePrint");
        EXPECT_EQ(answers.Asked(), 2);
    }
    EXPECT_EQ(Labels(), 60);
    EXPECT_EQ(Recorder()->EndedDocuments(), 2);
    EXPECT_TRUE(between->isChecked());
    EXPECT_FALSE(m_form->findChild<PrintLabelSelect*>()) << "the window goes with the run";

    Recorder()->Clear();
    {
        ContinueAnswers answers({"PrintAllButton"});
        Trigger("mnuFilePrint");
        EXPECT_EQ(answers.Asked(), 1);
    }
    EXPECT_EQ(Labels(), 65);
    EXPECT_FALSE(between->isChecked());
    EXPECT_EQ(Recorder()->EndedDocuments(), 2);
}

TEST_F(LabelWindow, FilterChoiceChangesTheRecordsAndTheSortOrder) {
    AddAddressRecords(10, [](int i, ListRecord& record) { record.Code = i <= 4 ? "A" : "B"; });
    FilterRecord filter;
    filter.FilterName = "Code A by city";
    filter.StartPhone = filter.EndPhone = "0000000000";
    filter.Sequence = 1;
    filter.Query = "SELECT [ID] FROM [List] WHERE [Code] = 'A' ORDER BY [City], [Name];";
    qint64 filterId = 0;
    {
        FilterCore filters;
        ASSERT_TRUE(filters.NewRecord(filter));
        filterId = filters.ID();
    }
    Open();
    auto* box = Find<QComboBox>("FilterBox");
    EXPECT_EQ(box->count(), 2);
    box->setCurrentIndex(box->findText("Code A by city"));
    EXPECT_EQ(Text("RecordCountBox"), "4");
    EXPECT_EQ(Text("SortBox"), "City");
    EXPECT_EQ(ControlCore().CurrentFilter(), filterId);
    Trigger("mnuFilePrint");
    EXPECT_EQ(Labels(), 4);

    box->setCurrentIndex(0);
    EXPECT_EQ(Text("RecordCountBox"), "10");
    EXPECT_EQ(ControlCore().CurrentFilter(), 0);
}

TEST_F(LabelWindow, SetFilterOpensTheFilterEditorWhenThereIsOne) {
    AddAddressRecords(3);
    Open();
    Trigger("mnuFileFilter");
    m_dialogs->ExpectMessage("The filter editor is not available in this version.", "Sorry");

    int opened = 0;
    m_form->SetFilterEditorOpener([&](QWidget* parent) {
        EXPECT_EQ(parent, m_form.get());
        ++opened;
        FilterRecord filter;
        filter.FilterName = "None found";
        filter.StartPhone = filter.EndPhone = "0000000000";
        filter.Query = "SELECT [ID] FROM [List] WHERE [Code] = 'Z' ORDER BY [Name];";
        FilterCore filters;
        filters.NewRecord(filter);
        ControlCore().SetCurrentFilter(filters.ID());
    });
    Find<QAction>("Toolbar1Filter")->trigger();
    EXPECT_EQ(opened, 1);
    auto* box = Find<QComboBox>("FilterBox");
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentText(), "None found");
    // No record: the figures of before stay.
    m_dialogs->ExpectMessage("No records selected");
    EXPECT_EQ(Text("RecordCountBox"), "3");
    Trigger("mnuFilePrint");
    m_dialogs->ExpectMessage("There are no records to print.");
}

TEST_F(LabelWindow, ListWithoutDefinitionsCannotPrint) {
    MakeList("Bare.mdb");
    AddAddressRecords(3);
    Open();
    EXPECT_EQ(Find<QListWidget>("LabelList")->count(), 0);
    EXPECT_EQ(Text("RecordCountBox"), "3");
    EXPECT_EQ(Text("PageCountBox"), "");
    Trigger("mnuFilePrint");
    m_dialogs->ExpectMessage("You must define a label before you can print");
    EXPECT_TRUE(Recorder()->Operations().empty());
}

TEST(PrintLabelSelectWindow, EachButtonGivesItsDecision) {
    const std::pair<const char*, ContinueDecision> buttons[] = {{"NextPageButton", kNextPage},
                                                                {"PrintAllButton", kPrintAll},
                                                                {"QuitButton", kCancelPrinting}};
    for (const auto& [name, decision] : buttons) {
        PrintLabelSelect window;
        QTimer::singleShot(
            0, &window, [&window, name = name] { window.findChild<QPushButton*>(name)->click(); });
        EXPECT_EQ(window.Ask(), decision) << name;
        EXPECT_FALSE(window.isVisible());
    }
    PrintLabelSelect closed;
    QTimer::singleShot(0, &closed, [&closed] { closed.reject(); });
    EXPECT_EQ(closed.Ask(), kCancelPrinting);
}

TEST_F(LabelWindow, PreviewShowsTheSheetsOnScreenAndPrintsFromThere) {
    AddAddressRecords(31);
    Open();
    Click("BarCodeOption2");
    EXPECT_TRUE(Find<QAction>("Toolbar1Preview"));
    bool looked = false;
    WhenPreviewShown(m_form.get(), [&](PreviewForm& preview) {
        looked = true;
        // 31 labels on 30 positions a sheet: two pages, the first shown, and the outlines
        // of the 30 labels of a sheet. Nothing has reached the printer.
        EXPECT_EQ(preview.PageCount(), 2);
        EXPECT_EQ(preview.CurrentPage(), 1);
        EXPECT_EQ(PreviewChild<QLabel>(preview, "PageLabel")->text().trimmed(), "Page 1 of 2");
        auto* view = PreviewChild<PreviewPageView>(preview, "PageView");
        EXPECT_EQ(view->Outlines().size(), 30);
        EXPECT_TRUE(preview.StatusText().contains("outlines"))
            << preview.StatusText().toStdString();
        EXPECT_TRUE(Recorder()->Operations().empty());
        PreviewChild<QAction>(preview, "NextPageAction")->trigger();
        EXPECT_EQ(preview.CurrentPage(), 2);
        EXPECT_FALSE(PreviewChild<QAction>(preview, "NextPageAction")->isEnabled());
        auto* zoom = PreviewChild<QComboBox>(preview, "ZoomBox");
        zoom->setCurrentIndex(zoom->findText("100%"));
        EXPECT_EQ(view->Zoom(), 1);
        PreviewChild<QAction>(preview, "PrintAction")->trigger();
    });
    Trigger("mnuFilePreview");
    EXPECT_TRUE(looked);
    // Print in the preview printed the run on the printer: the same 31 labels.
    EXPECT_EQ(Labels(), 31);
    EXPECT_EQ(Recorder()->OperationsOf(PrintOperation::Rect).size(), 31u * 52);
    EXPECT_FALSE(m_form->Printing());
}

TEST_F(LabelWindow, ClosingThePreviewWhileItMakesThePagesEndsTheRun) {
    AddAddressRecords(200);
    Open();
    bool closed = false;
    WhenPreviewShown(
        m_form.get(),
        [&](PreviewForm& preview) {
            closed = preview.RunGoing();
            PreviewChild<QAction>(preview, "CloseAction")->trigger();
        },
        true);
    Trigger("mnuFilePreview");
    EXPECT_TRUE(closed);
    EXPECT_FALSE(m_form->Printing());
    EXPECT_FALSE(QApplication::activeModalWidget());
    EXPECT_TRUE(Recorder()->Operations().empty());
}

TEST_F(LabelWindow, NewFromProductFillsTheBoxesOfANewDefinitionToCheckAndSave) {
    AddAddressRecords(3);
    Open();
    std::optional<LabelProduct> answer;
    m_form->SetProductChooser([&answer](QWidget*) { return answer; });
    // Cancelled: nothing changes.
    Trigger("mnuLabelNewFromProduct");
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::Viewing);
    EXPECT_EQ(Text("LabelNameBox"), "Avery 5160");

    const std::vector<LabelProduct> products = BuiltInLabelProducts();
    answer = *FindLabelProduct(products, "Avery 5162");
    Trigger("mnuLabelNewFromProduct");
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::New);
    // The recording printer prints on the whole sheet: the indents are the paper's.
    EXPECT_EQ(Text("LabelNameBox"), "Avery 5162");
    EXPECT_EQ(Text("RowsBox"), "7");
    EXPECT_EQ(Text("ColumnsBox"), "2");
    EXPECT_EQ(Text("TopIndentBox"), "0.8958");
    EXPECT_EQ(Text("LeftIndentBox"), "0.2188");
    EXPECT_EQ(Text("RowDifferenceBox"), "1.3333");
    EXPECT_EQ(Text("ColumnDifferenceBox"), "4.1875");
    EXPECT_EQ(Text("TypeSizeBox"), "12");
    Type("LabelNameBox", "Big address");
    Trigger("mnuLabelSave");
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::Viewing);
    LabelCore labels;
    labels.SetID(m_form->CurrentLabel());
    EXPECT_EQ(labels.LName(), "Big address");
    EXPECT_FLOAT_EQ(labels.RowDelta(), 1.3333f);

    // While editing, the question of New comes first; No keeps the edits.
    Trigger("mnuLabelEdit");
    Type("TypeSizeBox", "9");
    m_dialogs->AnswerNo();
    Trigger("mnuLabelNewFromProduct");
    EXPECT_EQ(m_form->CurrentMode(), LabelForm::Mode::Edit);
    EXPECT_EQ(Text("TypeSizeBox"), "9");
}

TEST_F(LabelWindow, ProductChooserNarrowsTheListAsTheUserTypes) {
    LabelProductChooser chooser(BuiltInLabelProducts());
    auto* table = chooser.findChild<QTableWidget*>("ProductTable");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->rowCount(), 8);
    EXPECT_EQ(table->item(0, 0)->text(), "Avery");
    EXPECT_EQ(table->item(0, 3)->text(), "2.625 x 1 in");
    EXPECT_EQ(table->item(0, 4)->text(), "30");
    QTest::keyClicks(chooser.findChild<QLineEdit*>("SearchBox"), "shipping 4 x 2");
    ASSERT_EQ(table->rowCount(), 2);
    table->selectRow(1);
    chooser.findChild<QPushButton*>("OKButton")->click();
    ASSERT_TRUE(chooser.Chosen());
    EXPECT_EQ(chooser.Chosen()->Name(), "Avery 8163");

    QTest::keyClicks(chooser.findChild<QLineEdit*>("SearchBox"), " nothing");
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_FALSE(chooser.findChild<QPushButton*>("OKButton")->isEnabled());
}

TEST_F(LabelWindow, HelpKeyOpensTheGuideAtTheLabelsPage) {
    AddAddressRecords(1);
    Open();
    QApplication::setActiveWindow(m_form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    QTest::keyClick(m_form.get(), Qt::Key_F1);
    ASSERT_EQ(m_dialogs->OpenedUrls().size(), 1);
    EXPECT_TRUE(m_dialogs->OpenedUrls().front().endsWith("/labels.html"))
        << m_dialogs->OpenedUrls().front().toStdString();
}
