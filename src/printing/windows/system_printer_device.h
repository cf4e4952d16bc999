#pragma once

#include "printing/page_device.h"

#include <memory>

class QPrinter;

// A printer of the system (through CUPS) as a page device: each document is a QPrinter
// job on that printer, painted within the printer's own printable area.
class SystemPrinterDevice : public PageDevice {
public:
    explicit SystemPrinterDevice(const QString& deviceName);
    ~SystemPrinterDevice() override;

    QString DeviceName() const override { return m_deviceName; }
    QSizeF PrintableSize() const override { return m_paintRect.size(); }
    QRectF PaperRect() const override { return m_paperRect; }
    QPaintDevice* OpenDocument() override;
    void AbortDocument() override;
    void CloseDocument(bool keep) override;
    void StartRun(const QString& documentName) override { m_documentName = documentName; }

private:
    std::unique_ptr<QPrinter> MakePrinter() const;

    QString m_deviceName;
    QString m_documentName;
    QRectF m_paintRect; // the printable area on the sheet, in twips
    QRectF m_paperRect; // the sheet, from the printable area's top left
    std::unique_ptr<QPrinter> m_printer;
};
