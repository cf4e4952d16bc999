#pragma once

#include <QString>

// The section "Printer" of the settings store, under the application name the caller hands
// in (the program passes "Tessavane"): keys "PrinterName", "FontName" and "PageLimit".
QString GetPrinterSetting(const QString& projectName, const QString& key,
                          const QString& fallback = QString());
void SavePrinterSetting(const QString& projectName, const QString& key, const QString& value);

// Start-up: makes the stored printer current (the first installed printer whose device
// name equals the stored name, ignoring case; none matching leaves the current printer, and
// so does an empty name) and loads the program-wide printer font name (also given to the
// current printer) and page limit (default 100) from the settings.
void ApplyPrinterSettings(const QString& projectName);
