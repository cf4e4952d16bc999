#pragma once

#include "printing/page_device.h"

#include <QStringList>
#include <memory>

class PrinterObject;
class QPdfWriter;
class QSaveFile;

// The "PDF file" printer's device: each document becomes a PDF file on US Letter paper
// with a printable area kPrintableInset inside every edge, as an office laser printer has,
// and the printer's origin at the top left of that area. Label layouts, which are measured
// from a printer's printable area, then land on the sheet as they do on such a printer, and
// reports keep margins.
//
// The file name is asked for (through the dialog interface) when the first document of a
// run starts, unless a fixed path was given. The later documents of the same run go beside
// the first, numbered: "labels.pdf", then "labels-2.pdf", "labels-3.pdf"... A cancelled
// dialog cancels the run: nothing of it is written. A document is written to a temporary
// file that takes the file's name only when the document ends, so a discarded document,
// or one that fails to be written, leaves no file behind (and an older file of that name
// untouched).
class PdfFileDevice : public PageDevice {
public:
    // The distance of the printable area from every edge of the sheet, in twips (1/4 inch).
    static constexpr double kPrintableInset = 360;

    explicit PdfFileDevice(const QString& fixedPath = QString());
    ~PdfFileDevice() override;

    // The device name under which the printer is listed: "PDF file".
    static QString Name();
    // A printer object that prints to PDF files.
    static std::unique_ptr<PrinterObject> MakePrinter(const QString& fixedPath = QString());

    QString DeviceName() const override { return Name(); }
    QSizeF PrintableSize() const override;
    QRectF PaperRect() const override;
    QPaintDevice* OpenDocument() override;
    void CloseDocument(bool keep) override;
    void StartRun(const QString& documentName) override;
    bool RunCancelled() const override { return m_cancelled; }

    // The files written completely in the current run, in order.
    QStringList WrittenFiles() const { return m_written; }

private:
    // The path of the next document of the run; empty when the run is cancelled.
    QString NextPath();
    void Fail(const QString& path);

    QString m_fixedPath;
    QString m_documentName;
    QString m_firstPath;
    int m_documents = 0;
    bool m_cancelled = false;
    QStringList m_written;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
};
