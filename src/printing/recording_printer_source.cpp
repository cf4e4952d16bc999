#include "printing/recording_printer_source.h"

#include "printing/recording_printer.h"

RecordingPrinterSource::RecordingPrinterSource(const QStringList& names, const QString& defaultName)
    : m_names(names),
      m_default(defaultName.isEmpty() && !names.isEmpty() ? names.first() : defaultName) {}

std::unique_ptr<PrinterObject> RecordingPrinterSource::Create(const QString& deviceName) const {
    if (!m_names.contains(deviceName))
        return nullptr;
    auto printer = std::make_unique<RecordingPrinter>(deviceName);
    if (!m_fonts.isEmpty())
        printer->SetFonts(m_fonts);
    return printer;
}
