#include "cli/settings_commands.h"

#include "app/messages.h"
#include "cli/command_line.h"
#include "cli/command_support.h"
#include "printing/intelligent_mail_settings.h"
#include "printing/pdf_file_device.h"
#include "printing/printer_object.h"
#include "printing/printer_settings.h"
#include "printing/printer_values.h"
#include "printing/printers.h"

#include <QRegularExpression>

namespace {

const QString kProject = QStringLiteral("Tessavane");
// A printer name the platform reports that is no printer to print on.
const QString kRenderingSubsystem = QStringLiteral("Rendering Subsystem");

void ShowPrinterValues() {
    const QString font = GetPrinterSetting(kProject, "FontName").trimmed();
    PrintResult("printer: " + GetPrinterSetting(kProject, "PrinterName").trimmed());
    PrintResult("font: " + (font.isEmpty() ? DefaultPrinterFontName() : font));
    PrintResult("page limit: " + QString::number(PageLimitValue(GetPrinterSetting(
                                     kProject, "PageLimit", QString::number(kDefaultPageLimit)))));
}

void ShowIntelligentMailSettings() {
    const IntelligentMailSettings settings = ReadIntelligentMailSettings();
    PrintResult("barcode id: " + settings.barcodeIdentifier);
    PrintResult("service type: " + settings.serviceType);
    PrintResult("mailer id: " + settings.mailerId);
    PrintResult("next serial: " + QString::number(settings.nextSerial));
    PrintResult(QStringLiteral("delivery point routing: ") +
                (settings.deliveryPointRouting ? "yes" : "no"));
}

} // namespace

QString ChooseNamed(const QStringList& names, const QString& name, const QString& what,
                    const QString& plural) {
    for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive})
        for (const QString& entry : names)
            if (entry.compare(name, sensitivity) == 0)
                return entry;
    QStringList quoted;
    for (const QString& entry : names)
        quoted << '"' + entry + '"';
    ToolMessage(QStringLiteral("there is no %1 named \"%2\"; the %3 are: %4")
                    .arg(what, name, plural.isEmpty() ? what + 's' : plural,
                         quoted.join(QStringLiteral(", "))));
    return QString();
}

QStringList PdfFonts() {
    return PdfFileDevice::MakePrinter()->Fonts();
}

int RunPrinter(const CommandLine& line) {
    QString printer;
    if (line.HasValue("name")) {
        QStringList names = Printers::DeviceNames();
        names.removeAll(kRenderingSubsystem);
        printer = ChooseNamed(names, line.Value("name").trimmed(), "printer");
        if (printer.isEmpty())
            return kExitFailed;
    }
    QString font;
    if (line.HasValue("font")) {
        // The fonts of the printer chosen, as the window lists them.
        const QString stored = GetPrinterSetting(kProject, "PrinterName").trimmed();
        const QString target = printer.isEmpty() ? stored : printer;
        if (target.isEmpty() || !Printers::Select(target, Qt::CaseInsensitive))
            Printers::Select(PdfFileDevice::Name());
        font = ChooseNamed(Printers::Current().Fonts(), line.Value("font").trimmed(), "font");
        if (font.isEmpty())
            return kExitFailed;
    }
    QString pageLimit;
    if (line.HasValue("page-limit")) {
        // The window takes any text (and reads what is not a number as 0); here only a
        // whole number is stored, so a slip of the keyboard can't empty the page limit.
        static const QRegularExpression whole(QStringLiteral("^\\d{1,9}$"));
        pageLimit = line.Value("page-limit").trimmed();
        if (!whole.match(pageLimit).hasMatch())
            return UsageError(line.Command(), "--page-limit takes a whole number of twips, not \"" +
                                                  line.Value("page-limit") + '"');
    }
    if (!printer.isEmpty())
        SavePrinterSetting(kProject, "PrinterName", printer);
    if (!font.isEmpty())
        SavePrinterSetting(kProject, "FontName", font);
    if (!pageLimit.isEmpty())
        SavePrinterSetting(kProject, "PageLimit", QString::number(pageLimit.toInt()));
    ShowPrinterValues();
    return kExitDone;
}

int RunIntelligentMail(const CommandLine& line) {
    const bool changing = line.HasValue("barcode-id") || line.HasValue("service-type") ||
                          line.HasValue("mailer-id") || line.HasValue("next-serial") ||
                          line.HasValue("delivery-point-routing");
    if (!changing) {
        ShowIntelligentMailSettings();
        return kExitDone;
    }
    IntelligentMailSettings settings = ReadIntelligentMailSettings();
    if (line.HasValue("barcode-id"))
        settings.barcodeIdentifier = line.Value("barcode-id").trimmed();
    if (line.HasValue("service-type"))
        settings.serviceType = line.Value("service-type").trimmed();
    if (line.HasValue("mailer-id"))
        settings.mailerId = line.Value("mailer-id").trimmed();
    if (line.HasValue("delivery-point-routing"))
        settings.deliveryPointRouting = line.Value("delivery-point-routing") == "yes";
    // The stored serial number is checked as the window shows it, as digits.
    const QString serial = line.HasValue("next-serial") ? line.Value("next-serial").trimmed()
                                                        : QString::number(settings.nextSerial);
    // The window's checks, in the order of its boxes: every value must be good, the stored
    // ones too, before anything is stored.
    for (const QString& problem :
         {CheckBarcodeIdentifier(settings.barcodeIdentifier),
          CheckServiceType(settings.serviceType), CheckMailerId(settings.mailerId),
          CheckSerialNumber(serial, settings.mailerId)}) {
        if (!problem.isEmpty()) {
            InfoBox(problem);
            return kExitFailed;
        }
    }
    settings.nextSerial = serial.toLongLong();
    SaveIntelligentMailSettings(settings);
    ShowIntelligentMailSettings();
    return kExitDone;
}
