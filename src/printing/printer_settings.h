#pragma once

#include <QString>

// The section "Printer" of the settings store, under the application name the caller hands
// in (the program passes "Tessavane"): keys "PrinterName", "FontName" and "PageLimit".
QString GetPrinterSetting(const QString& projectName, const QString& key,
                          const QString& fallback = QString());
void SavePrinterSetting(const QString& projectName, const QString& key, const QString& value);

// The font labels and reports are printed in until the user chooses one: the family the
// system resolves for a plain sans-serif font.
QString DefaultPrinterFontName();

// Start-up: makes the stored printer current (the first installed printer whose device
// name equals the stored name, ignoring case; none matching leaves the current printer, and
// so does an empty name) and loads the printer values (below). With no printer stored, the
// printer the program starts with (the system's default printer, else "PDF file") is
// stored, so that a first run prints without a visit to Printer Setup.
void ApplyPrinterSettings(const QString& projectName);

// Loads the program-wide printer font name (also given to the current printer) and page
// limit (default 100) from the settings. With no font stored, the default font is stored
// and used.
void LoadPrinterValues(const QString& projectName);
