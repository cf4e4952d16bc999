#include "cli/pdf_output.h"

#include "printing/painter_printer.h"
#include "printing/pdf_file_device.h"
#include "printing/printer_settings.h"
#include "printing/printers.h"

PdfOutput::PdfOutput(const QString& path)
    : m_path(path), m_deviceName(PdfFileDevice::Name() + ": " + path) {
    Printers::SetSource(this);
    // The tool prints to its own file whatever printer is stored, so none is chosen or
    // stored here.
    Printers::Select(m_deviceName);
    LoadPrinterValues(QStringLiteral("Tessavane"));
}

PdfOutput::~PdfOutput() {
    Printers::Reset();
}

std::unique_ptr<PrinterObject> PdfOutput::Create(const QString& deviceName) const {
    if (deviceName != m_deviceName)
        return nullptr;
    auto device = std::make_unique<PdfFileDevice>(m_path);
    m_device = device.get();
    return std::make_unique<PainterPrinter>(std::move(device));
}

QStringList PdfOutput::WrittenFiles() const {
    return m_device ? m_device->WrittenFiles() : QStringList();
}
