#include "printing/windows/system_printer_source.h"

#include "printing/painter_printer.h"
#include "printing/windows/system_printer_device.h"

#include <QPrinterInfo>

QStringList SystemPrinterSource::DeviceNames() const {
    return QPrinterInfo::availablePrinterNames();
}

QString SystemPrinterSource::DefaultDeviceName() const {
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<PrinterObject> SystemPrinterSource::Create(const QString& deviceName) const {
    if (!DeviceNames().contains(deviceName))
        return nullptr;
    return std::make_unique<PainterPrinter>(std::make_unique<SystemPrinterDevice>(deviceName));
}
