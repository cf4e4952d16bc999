#include "printing/printers.h"

#include "printing/pdf_file_device.h"
#include "printing/printer_object.h"
#include "printing/printer_source.h"

#include <map>
#include <memory>

namespace {
struct Registry {
    const PrinterSource* source = nullptr;
    std::map<QString, std::unique_ptr<PrinterObject>> made;
    PrinterObject* current = nullptr;
};

Registry& State() {
    static Registry registry;
    return registry;
}

// The printer object of a listed device, made on first use.
PrinterObject* Obtain(const QString& deviceName) {
    Registry& registry = State();
    auto found = registry.made.find(deviceName);
    if (found != registry.made.end())
        return found->second.get();
    std::unique_ptr<PrinterObject> printer;
    if (deviceName == PdfFileDevice::Name())
        printer = PdfFileDevice::MakePrinter();
    else if (registry.source)
        printer = registry.source->Create(deviceName);
    if (!printer)
        return nullptr;
    PrinterObject* made = printer.get();
    registry.made.emplace(deviceName, std::move(printer));
    return made;
}
} // namespace

QStringList Printers::DeviceNames() {
    QStringList names{PdfFileDevice::Name()};
    if (const PrinterSource* source = State().source)
        for (const QString& name : source->DeviceNames())
            if (name != PdfFileDevice::Name())
                names << name;
    return names;
}

bool Printers::Select(const QString& deviceName, Qt::CaseSensitivity sensitivity) {
    for (const QString& name : DeviceNames()) {
        if (name.compare(deviceName, sensitivity) != 0)
            continue;
        if (PrinterObject* printer = Obtain(name)) {
            State().current = printer;
            return true;
        }
        return false;
    }
    return false;
}

PrinterObject& Printers::Current() {
    Registry& registry = State();
    if (!registry.current) {
        const QString fallback = registry.source ? registry.source->DefaultDeviceName() : QString();
        if (fallback.isEmpty() || !Select(fallback))
            Select(PdfFileDevice::Name());
    }
    return *registry.current;
}

void Printers::SetSource(const PrinterSource* source) {
    Registry& registry = State();
    registry.current = nullptr;
    registry.made.clear();
    registry.source = source;
}
