#include "printing/printer_settings.h"

#include "app/settings.h"
#include "printing/printer_object.h"
#include "printing/printer_values.h"
#include "printing/printers.h"

#include <QFont>
#include <QFontInfo>

QString GetPrinterSetting(const QString& projectName, const QString& key, const QString& fallback) {
    return GetApplicationSetting(projectName, QStringLiteral("Printer"), key, fallback);
}

void SavePrinterSetting(const QString& projectName, const QString& key, const QString& value) {
    SaveApplicationSetting(projectName, QStringLiteral("Printer"), key, value);
}

QString DefaultPrinterFontName() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    return QFontInfo(font).family();
}

void ApplyPrinterSettings(const QString& projectName) {
    const QString printerName = GetPrinterSetting(projectName, "PrinterName").trimmed();
    if (!printerName.isEmpty())
        Printers::Select(printerName, Qt::CaseInsensitive);
    else
        SavePrinterSetting(projectName, "PrinterName", Printers::Current().DeviceName());
    LoadPrinterValues(projectName);
}

void LoadPrinterValues(const QString& projectName) {
    QString fontName = GetPrinterSetting(projectName, "FontName").trimmed();
    if (fontName.isEmpty()) {
        fontName = DefaultPrinterFontName();
        SavePrinterSetting(projectName, "FontName", fontName);
    }
    SetPrinterFontName(fontName);
    Printers::Current().SetFontName(fontName);
    SetPageLimit(PageLimitValue(
        GetPrinterSetting(projectName, "PageLimit", QString::number(kDefaultPageLimit))));
}
