// Report wrapping on any text, column width and font size: it always ends, prints as many
// lines as it counts, and loses no character of the text.

#include "fuzz_check.h"
#include "printing/paragraph_layout.h"
#include "printing/recording_printer.h"
#include "printing/report_text.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const double width = input.ConsumeIntegralInRange(-200, 12000);
    const double fontSize = input.ConsumeIntegralInRange(1, 72);
    const bool hanging = input.ConsumeBool();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const QString text = QString::fromUtf8(bytes.data(), int(bytes.size()));

    RecordingPrinter printer;
    const int counted = CountParagraphLines(printer, width, fontSize, text, hanging);
    PrintParagraph(printer, 100, 200, width, fontSize, text, hanging);
    const QStringList lines = printer.Texts();
    FUZZ_CHECK(lines.size() == counted);
    FUZZ_CHECK(printer.FontSize() == 10);

    // Put together again, without the indents and the hyphens (wrapping adds some), the
    // lines hold every other character of the paragraph in order.
    QString printed;
    for (int i = 0; i < lines.size(); ++i) {
        if (hanging && i > 0)
            FUZZ_CHECK(lines.at(i).startsWith(QStringLiteral("    ")));
        printed += lines.at(i).mid(hanging && i > 0 ? 4 : 0);
    }
    QString joined = JoinLines(text);
    FUZZ_CHECK(printed.remove(QLatin1Char('-')) == joined.remove(QLatin1Char('-')));

    // Fitting shortens one character at a time; it is given single fields of a record.
    const QString field = text.left(250);
    const QString fitted = FitToWidth(printer, field, width);
    FUZZ_CHECK(fitted.isEmpty() || printer.TextWidth(fitted) <= width);
    FUZZ_CHECK(field.trimmed().startsWith(fitted.trimmed()));
    FUZZ_CHECK(CountLines(text) >= 0);
    return 0;
}
