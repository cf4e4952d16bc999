#include "printing/pdf_file_device.h"
#include "printing/printer_object.h"
#include "support/printing_test.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace {
// What pdfinfo says of a file ("Pages", "Page size"...); empty without pdfinfo.
QString PdfInfo(const QString& path, const QString& key) {
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
        return QString();
    QProcess process;
    process.start("pdfinfo", {path});
    process.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n'))
        if (line.startsWith(key + ":"))
            return line.mid(key.size() + 1).trimmed();
    return QString();
}
} // namespace

class PdfFile : public PrintingTest {
protected:
    // The files in the test's folder, apart from the settings folder.
    QStringList Files() const { return QDir(m_dir->path()).entryList(QDir::Files, QDir::Name); }
};

TEST_F(PdfFile, AsksOncePerRunAndNumbersTheLaterDocuments) {
    auto printer = PdfFileDevice::MakePrinter();
    EXPECT_EQ(printer->DeviceName(), "PDF file");
    // US Letter with the printable area a quarter inch inside every edge.
    EXPECT_EQ(printer->PageWidth(), 11520);
    EXPECT_EQ(printer->PageHeight(), 15120);
    EXPECT_EQ(printer->PaperRect(), QRectF(-360, -360, 12240, 15840));

    printer->BeginRun("labels");
    m_dialogs->ChooseFile(Path("labels.pdf"));
    for (int sheet = 1; sheet <= 3; ++sheet) {
        printer->Print(QStringLiteral("Sheet %1").arg(sheet));
        printer->EndDoc();
    }
    EXPECT_EQ(m_dialogs->FileDialogTitles().size(), 1);
    EXPECT_EQ(Files(), (QStringList{"labels-2.pdf", "labels-3.pdf", "labels.pdf"}));

    // A new run asks again and starts numbering afresh.
    printer->BeginRun("labels");
    m_dialogs->ChooseFile(Path("again.pdf"));
    printer->Print("x");
    printer->EndDoc();
    EXPECT_EQ(m_dialogs->FileDialogTitles().size(), 2);
    EXPECT_TRUE(QFile::exists(Path("again.pdf")));
}

TEST_F(PdfFile, PagesAreUsLetterAndNewPageAddsOne) {
    auto printer = PdfFileDevice::MakePrinter();
    printer->BeginRun("report");
    m_dialogs->ChooseFile(Path("report.pdf"));
    printer->Print("Page one");
    printer->NewPage();
    printer->Print("Page two");
    printer->NewPage();
    printer->EndDoc(); // no empty third page
    const QString pages = PdfInfo(Path("report.pdf"), "Pages");
    if (pages.isEmpty())
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(pages, "2");
    EXPECT_TRUE(PdfInfo(Path("report.pdf"), "Page size").startsWith("612 x 792 pts"));
}

TEST_F(PdfFile, KillDocLeavesNoFileAndAnOlderFileUntouched) {
    WriteBytes(Path("labels.pdf"), "older labels");
    auto printer = PdfFileDevice::MakePrinter();
    printer->BeginRun("labels");
    m_dialogs->ChooseFile(Path("labels.pdf"));
    printer->Print("first sheet");
    printer->EndDoc();
    printer->Print("second sheet");
    printer->KillDoc();
    EXPECT_EQ(Files(), (QStringList{"labels.pdf"}));
    EXPECT_TRUE(ReadBytes(Path("labels.pdf")).startsWith("%PDF"));

    printer->BeginRun("labels");
    m_dialogs->ChooseFile(Path("labels.pdf"));
    printer->Print("stopped");
    printer->KillDoc();
    EXPECT_TRUE(ReadBytes(Path("labels.pdf")).startsWith("%PDF"));
    EXPECT_EQ(Files(), (QStringList{"labels.pdf"}));
}

TEST_F(PdfFile, CancelledDialogDropsTheWholeRunWithoutAsking) {
    auto printer = PdfFileDevice::MakePrinter();
    printer->BeginRun("labels");
    m_dialogs->ChooseFile(QString());
    printer->Print("sheet one");
    EXPECT_TRUE(printer->RunCancelled());
    printer->EndDoc();
    printer->Print("sheet two");
    printer->EndDoc();
    EXPECT_EQ(m_dialogs->FileDialogTitles().size(), 1);
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

TEST_F(PdfFile, FileThatCannotBeCreatedIsReported) {
    auto printer = PdfFileDevice::MakePrinter();
    printer->BeginRun("labels");
    const QString path = Path("no such folder/labels.pdf");
    m_dialogs->ChooseFile(path);
    printer->Print("sheet");
    printer->EndDoc();
    EXPECT_TRUE(printer->RunCancelled());
    m_dialogs->ExpectMessage("Couldn't create the file. Reason unknown.\n" + path);
}

TEST_F(PdfFile, FixedPathWritesWithoutAsking) {
    auto printer = PdfFileDevice::MakePrinter(Path("batch.pdf"));
    printer->BeginRun("labels");
    printer->Print("one");
    printer->EndDoc();
    printer->Print("two");
    printer->EndDoc();
    EXPECT_TRUE(m_dialogs->FileDialogTitles().isEmpty());
    EXPECT_EQ(Files(), (QStringList{"batch-2.pdf", "batch.pdf"}));
}
