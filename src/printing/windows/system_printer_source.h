#pragma once

#include "printing/printer_source.h"

// The printers the system offers (through CUPS), in its order, with its default printer.
class SystemPrinterSource : public PrinterSource {
public:
    QStringList DeviceNames() const override;
    QString DefaultDeviceName() const override;
    std::unique_ptr<PrinterObject> Create(const QString& deviceName) const override;
};
