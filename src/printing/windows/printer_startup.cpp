#include "printing/windows/printer_startup.h"

#include "printing/printer_settings.h"
#include "printing/printers.h"
#include "printing/windows/system_printer_source.h"

void SetupPrinting(const QString& projectName) {
    static const SystemPrinterSource systemPrinters;
    Printers::SetSource(&systemPrinters);
    ApplyPrinterSettings(projectName);
}
