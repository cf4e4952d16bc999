#pragma once

#include <QStringList>
#include <memory>

class PrinterObject;

// Where the installed printers come from: the system's printers (the windows library
// provides them) or, in tests, recording printers.
class PrinterSource {
public:
    virtual ~PrinterSource();

    // Device names in the platform's order.
    virtual QStringList DeviceNames() const = 0;
    // The system's default printer; empty when there is none.
    virtual QString DefaultDeviceName() const = 0;
    // A printer object for one of the names listed; nullptr for any other name.
    virtual std::unique_ptr<PrinterObject> Create(const QString& deviceName) const = 0;
};
