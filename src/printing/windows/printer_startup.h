#pragma once

#include <QString>

// Called by the main window at start-up: installs the system's printers beside "PDF file",
// then applies the stored printer, printer font name and page limit from section "Printer"
// of the settings under projectName ("Tessavane"); see ApplyPrinterSettings.
void SetupPrinting(const QString& projectName);
