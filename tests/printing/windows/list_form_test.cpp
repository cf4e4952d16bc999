#include "printing/windows/list_form.h"

#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_record.h"
#include "filters/build_filter_query.h"
#include "printing/printer_values.h"
#include "printing/windows/preview_watch.h"
#include "printing/windows/print_label_select.h"
#include "support/label_fixtures.h"
#include "support/printing_test.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <deque>

namespace {

// Clicks a button of each "Continue Printing?" window to come.
class ContinueAnswers {
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

class ListWindow : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        MakeList();
        SetPrinterFontName("Arial");
    }
    void TearDown() override {
        m_form.reset();
        PrintingTest::TearDown();
    }

    void Open() {
        m_form = std::make_unique<ListForm>();
        m_form->show();
    }
    template <typename T> T* Find(const char* name) {
        T* found = m_form->findChild<T*>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
    QString Count() { return Find<QLineEdit>("RecordCountBox")->text(); }

    // Adds a filter on one city and returns its ID.
    static qint64 AddCityFilter(const QString& city) {
        FilterRecord filter;
        filter.FilterName = city;
        filter.StartCity = filter.EndCity = city;
        filter.Sequence = 1;
        filter.Query = BuildFilterQuery(filter);
        FilterCore filters;
        EXPECT_TRUE(filters.NewRecord(filter));
        return filters.ID();
    }

    std::unique_ptr<ListForm> m_form;
};

TEST_F(ListWindow, OpensWithTheCountOfTheCurrentFilterAndItsCommands) {
    AddAddressRecords(5, [](int i, ListRecord& record) {
        if (i > 3)
            record.City = "Peoria";
    });
    const qint64 peoria = AddCityFilter("Peoria");
    Open();
    EXPECT_EQ(m_form->windowTitle(), "Print Record List");
    auto* box = Find<QComboBox>("FilterBox");
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(Count(), "5");
    EXPECT_TRUE(Find<QCheckBox>("SwitchesCheck")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("StopBetweenSheetsCheck")->isChecked());
    EXPECT_FALSE(Find<QPushButton>("StopButton")->isVisible());
    EXPECT_EQ(Find<QAction>("mnuFilePrint")->text(), "Print &Record List");
    EXPECT_EQ(Find<QAction>("mnuFileSummary")->text(), "Print &Summary List");
    EXPECT_EQ(Find<QAction>("mnuFileFile")->text(), "Print to &File...");
    EXPECT_EQ(Find<QAction>("mnuFileFilter")->text(), "Set &Filter...");
    QStringList keys;
    for (QAction* action : Find<QToolBar>("Toolbar1")->actions())
        keys << action->data().toString();
    EXPECT_EQ(keys, (QStringList{"Filter", "Print", "Summary", "Text", "Preview"}));
    EXPECT_EQ(Find<QAction>("mnuFilePreview")->text(), "Pre&view Record List");
    EXPECT_EQ(Find<QAction>("mnuFilePreviewSummary")->text(), "Preview Su&mmary List");

    // Choosing the filter makes it current and counts its records.
    box->setCurrentIndex(1);
    Q_EMIT box->activated(1);
    EXPECT_EQ(Count(), "2");
    EXPECT_EQ(ControlCore().CurrentFilter(), peoria);

    // The toolbar's Print key prints the record list of that filter.
    Find<QAction>("Toolbar1Print")->trigger();
    const QStringList texts = Recorder()->Texts();
    EXPECT_TRUE(texts.contains("Filter: Peoria     "));
    EXPECT_TRUE(texts.contains("Sorted By: City"));
    EXPECT_TRUE(texts.contains("Name004; First"));
    EXPECT_FALSE(texts.contains("Name001; First"));
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
    EXPECT_FALSE(Find<QPushButton>("StopButton")->isVisible());
    EXPECT_TRUE(m_form->isVisible()); // printed reports keep the window open
}

TEST_F(ListWindow, CancelInContinuePrintingEndsTheListAfterTheFirstPage) {
    AddAddressRecords(30); // 24 records a page
    Open();
    Find<QCheckBox>("StopBetweenSheetsCheck")->setChecked(true);
    ContinueAnswers answers({"QuitButton"});
    Trigger("mnuFilePrint");
    EXPECT_EQ(answers.Asked(), 1);
    const QStringList texts = Recorder()->Texts();
    EXPECT_TRUE(texts.contains("Name024; First"));
    EXPECT_FALSE(texts.contains("Name025; First"));
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
    EXPECT_TRUE(Find<QCheckBox>("StopBetweenSheetsCheck")->isChecked());

    // "Print All" prints the rest and turns the choice off.
    Recorder()->Clear();
    ContinueAnswers printAll({"PrintAllButton"});
    Trigger("mnuFileSummary");
    EXPECT_EQ(printAll.Asked(), 0); // 30 records fit on one summary page
    Trigger("mnuFilePrint");
    EXPECT_EQ(printAll.Asked(), 1);
    EXPECT_TRUE(Recorder()->Texts().contains("Name030; First"));
    EXPECT_FALSE(Find<QCheckBox>("StopBetweenSheetsCheck")->isChecked());
}

TEST_F(ListWindow, PrintToFileWritesTheFileAndCloses) {
    AddAddressRecords(2);
    Open();
    const QString path = Path("records.txt");
    m_dialogs->ChooseFile(path);
    Trigger("mnuFileFile");
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(m_dialogs->FileDialogTitles().value(0), "Print Record List");
    EXPECT_TRUE(ReadBytes(path).startsWith("First Name001"));
    EXPECT_TRUE(Recorder()->Operations().empty());

    // A cancelled dialog closes the window too, writing nothing.
    Open();
    m_dialogs->ChooseFile(QString());
    Trigger("mnuFileFile");
    EXPECT_FALSE(m_form->isVisible());
}

TEST_F(ListWindow, PrintToFileTellsWhyItFailedAndKeepsTheOldFile) {
    AddAddressRecords(2);
    Open();
    const QString path = Path("no such folder/records.txt");
    m_dialogs->ChooseFile(path);
    Trigger("mnuFileFile");
    m_dialogs->ExpectMessage("Invalid path name: " + path);
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ListWindow, PreviewOfEitherReportPrintsNothingUntilAskedTo) {
    AddAddressRecords(60);
    Open();
    int pages = 0;
    WhenPreviewShown(m_form.get(), [&](PreviewForm& preview) {
        pages = preview.PageCount();
        EXPECT_EQ(preview.windowTitle(), "Print Preview - Record List");
        EXPECT_TRUE(Recorder()->Operations().empty());
        PreviewChild<QAction>(preview, "CloseAction")->trigger();
    });
    Trigger("mnuFilePreview");
    EXPECT_GE(pages, 2); // 60 records of six lines: more than two columns
    EXPECT_TRUE(Recorder()->Operations().empty());

    WhenPreviewShown(m_form.get(), [&](PreviewForm& preview) {
        EXPECT_EQ(preview.PageCount(), 2); // a line a record, under the header
        PreviewChild<QAction>(preview, "PrintAction")->trigger();
    });
    Trigger("mnuFilePreviewSummary");
    EXPECT_TRUE(Recorder()->Texts().contains("Name060; First")); // the summary, printed
    EXPECT_FALSE(m_form->Printing());
}
