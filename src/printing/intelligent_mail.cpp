#include "printing/intelligent_mail.h"

#include "app/value_formats.h"
#include "printing/postnet.h"

#include <QRegularExpression>
#include <memory>
#include <zint.h>

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

bool ModuleSet(const zint_symbol& symbol, int row, int column) {
    return (symbol.encoded_data[row][column / 8] >> (column % 8)) & 1;
}

// libzint's messages start with their number ("Error 453: ..."); the user needs the rest.
QString ReasonOf(const char* errtxt) {
    QString reason = QString::fromUtf8(errtxt);
    reason.remove(QRegularExpression(QStringLiteral("^(Error|Warning) \\d+: ")));
    return reason;
}

} // namespace

bool EncodeIntelligentMail(const QString& tracking, const QString& routing, ImbBars& bars,
                           QString& error) {
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        error = QStringLiteral("not enough memory");
        return false;
    }
    symbol->symbology = BARCODE_USPS_IMAIL;
    const QByteArray data =
        (routing.isEmpty() ? tracking : tracking + QLatin1Char('-') + routing).toLatin1();
    const int result = ZBarcode_Encode(
        symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()), data.size());
    if (result >= ZINT_ERROR) {
        error = ReasonOf(symbol->errtxt);
        return false;
    }
    // Three rows of modules: the ascenders, the trackers and the descenders. The bars stand
    // on the even modules, the spaces between them on the odd ones.
    if (symbol->rows != 3 || symbol->width != 2 * kImbBarCount - 1) {
        error = QStringLiteral("the barcode library gave an unexpected symbol");
        return false;
    }
    for (int bar = 0; bar < kImbBarCount; ++bar) {
        const bool up = ModuleSet(*symbol, 0, 2 * bar);
        const bool down = ModuleSet(*symbol, 2, 2 * bar);
        bars[size_t(bar)] = up && down ? ImbBar::Full
                            : up       ? ImbBar::Ascender
                            : down     ? ImbBar::Descender
                                       : ImbBar::Tracker;
    }
    error.clear();
    return true;
}

QString ImbBarLetters(const ImbBars& bars) {
    QString letters;
    for (ImbBar bar : bars) {
        switch (bar) {
        case ImbBar::Full:
            letters += QLatin1Char('F');
            break;
        case ImbBar::Ascender:
            letters += QLatin1Char('A');
            break;
        case ImbBar::Descender:
            letters += QLatin1Char('D');
            break;
        case ImbBar::Tracker:
            letters += QLatin1Char('T');
            break;
        }
    }
    return letters;
}

QString ImbRoutingCode(const QString& zip, const QString& address, const QString& dpOverride,
                       bool deliveryPoint) {
    if (LeadingNumber(zip) == 0)
        return QString();
    // The stored zip is the five digits and the four of the +4 extension. Whatever else it
    // holds (a letter, a hyphen, too few digits) is left in for the encoder to refuse.
    const QString zip5 = zip.left(5);
    const QString plus4 = zip.mid(5, 4);
    if (LeadingNumber(plus4) == 0)
        return zip5;
    return zip5 + plus4 + (deliveryPoint ? DeliveryPointOf(address, dpOverride) : QString());
}
