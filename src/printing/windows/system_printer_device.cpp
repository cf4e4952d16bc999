#include "printing/windows/system_printer_device.h"

#include "app/messages.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

SystemPrinterDevice::SystemPrinterDevice(const QString& deviceName) : m_deviceName(deviceName) {
    // The printable area in twips: the paint rectangle of the printer's page layout, whose
    // margins are the parts of the sheet the printer cannot reach.
    const QPageLayout layout = MakePrinter()->pageLayout();
    const QRectF area = layout.paintRect(QPageLayout::Point);
    const QRectF sheet = layout.fullRect(QPageLayout::Point);
    m_paintRect = QRectF(area.x() * 20, area.y() * 20, area.width() * 20, area.height() * 20);
    m_paperRect =
        QRectF(-m_paintRect.x(), -m_paintRect.y(), sheet.width() * 20, sheet.height() * 20);
}

SystemPrinterDevice::~SystemPrinterDevice() = default;

std::unique_ptr<QPrinter> SystemPrinterDevice::MakePrinter() const {
    auto printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(m_deviceName),
                                              QPrinter::HighResolution);
    printer->setFullPage(false);
    return printer;
}

QPaintDevice* SystemPrinterDevice::OpenDocument() {
    m_printer = MakePrinter();
    m_printer->setDocName(m_documentName.isEmpty() ? ApplicationTitle()
                                                   : ApplicationTitle() + " - " + m_documentName);
    return m_printer.get();
}

void SystemPrinterDevice::AbortDocument() {
    if (m_printer)
        m_printer->abort();
}

void SystemPrinterDevice::CloseDocument(bool) {
    // Ending the painter has already handed the job over (or aborted it).
    m_printer.reset();
}
