#include "printing/printer_settings.h"

#include "app/settings.h"
#include "printing/printer_object.h"
#include "printing/printer_values.h"
#include "printing/printers.h"

QString GetPrinterSetting(const QString& projectName, const QString& key, const QString& fallback) {
    return GetApplicationSetting(projectName, QStringLiteral("Printer"), key, fallback);
}

void SavePrinterSetting(const QString& projectName, const QString& key, const QString& value) {
    SaveApplicationSetting(projectName, QStringLiteral("Printer"), key, value);
}

void ApplyPrinterSettings(const QString& projectName) {
    const QString printerName = GetPrinterSetting(projectName, "PrinterName").trimmed();
    if (!printerName.isEmpty())
        Printers::Select(printerName, Qt::CaseInsensitive);
    const QString fontName = GetPrinterSetting(projectName, "FontName").trimmed();
    SetPrinterFontName(fontName);
    if (!fontName.isEmpty())
        Printers::Current().SetFontName(fontName);
    SetPageLimit(PageLimitValue(
        GetPrinterSetting(projectName, "PageLimit", QString::number(kDefaultPageLimit))));
}
