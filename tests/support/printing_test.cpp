#include "support/printing_test.h"

#include "printing/printer_values.h"
#include "printing/printers.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

void PrintingTest::SetUp() {
    LettrinoTest::SetUp();
    m_source = std::make_unique<RecordingPrinterSource>(
        QStringList{"Office Laser", "Rendering Subsystem", "Label Writer"});
    Printers::SetSource(m_source.get());
    SetPrinterFontName(QString());
    SetPageLimit(kDefaultPageLimit);
}

void PrintingTest::TearDown() {
    Printers::Reset();
    m_source.reset();
    SetPrinterFontName(QString());
    SetPageLimit(kDefaultPageLimit);
    LettrinoTest::TearDown();
}

RecordingPrinter* PrintingTest::Recorder() {
    return dynamic_cast<RecordingPrinter*>(&Printers::Current());
}

bool ReadPdfWords(const QString& path, std::vector<PdfWord>& words) {
    words.clear();
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        return false;
    QProcess process;
    process.start("pdftotext", {"-bbox", path, "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return false;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression pageTag("<page ");
    static const QRegularExpression wordTag(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">"
        "([^<]*)</word>");
    const QStringList pages = html.split(pageTag);
    for (int page = 1; page < pages.size(); ++page) {
        auto match = wordTag.globalMatch(pages.at(page));
        while (match.hasNext()) {
            const QRegularExpressionMatch word = match.next();
            words.push_back({word.captured(5), word.captured(1).toDouble(),
                             word.captured(2).toDouble(), word.captured(3).toDouble(),
                             word.captured(4).toDouble(), page});
        }
    }
    return true;
}
