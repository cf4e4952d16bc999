#pragma once

#include <QString>
#include <QStringList>

class PrinterObject;
class PrinterSource;

// The installed printers and the current one, which all printing goes to. The "PDF file"
// printer is always installed and listed first, so that printing works on a machine
// without a printer; the printers of the installed source follow in their own order.
// Printer objects are made when first used and kept, so a printer that becomes current
// again keeps its font settings.
class Printers {
public:
    static QStringList DeviceNames();
    // Makes the printer with that device name current; false (and the current printer
    // unchanged) when no installed printer has that name.
    static bool Select(const QString& deviceName,
                       Qt::CaseSensitivity sensitivity = Qt::CaseSensitive);
    // The current printer; at first the system's default printer, else "PDF file".
    static PrinterObject& Current();

    // Installs where the system's printers come from (not taken over; nullptr for none)
    // and forgets the printer objects made so far.
    static void SetSource(const PrinterSource* source);
    // Forgets the source and every printer object: back to "PDF file" alone.
    static void Reset() { SetSource(nullptr); }
};
