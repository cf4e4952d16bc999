#pragma once

#include "printing/recording_printer.h"
#include "printing/recording_printer_source.h"
#include "support/test_environment.h"

#include <memory>

// A test with its own folder, settings and dialogs, and the printing state of a fresh run:
// the installed printers are "PDF file" and the recording printers "Office Laser" (the
// system's default), "Rendering Subsystem" and "Label Writer"; no printer font has been
// chosen and the page limit is 100.
class PrintingTest : public LettrinoTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The current printer, which is a recording printer unless "PDF file" was chosen.
    RecordingPrinter* Recorder();

    std::unique_ptr<RecordingPrinterSource> m_source;
};

// The words of a PDF as pdftotext -bbox finds them, in points from the page's top left.
struct PdfWord {
    QString text;
    double xMin, yMin, xMax, yMax;
    int page;
};
// False when pdftotext is not installed (or fails on the file).
bool ReadPdfWords(const QString& path, std::vector<PdfWord>& words);
