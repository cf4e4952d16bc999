#include "printing/address_block.h"

#include "app/value_formats.h"
#include "database/list_record.h"
#include "printing/printer_object.h"
#include "printing/report_text.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// The street part: without one trailing line break, or without the comma it ends in.
QString StreetPart(const QString& address) {
    if (!address.trimmed().isEmpty() && address.endsWith(QLatin1Char(',')))
        return address.left(address.size() - 1);
    return StripTrailingLineBreak(address);
}

// City, state and zip: "Springfield, IL 62701-1234"; without a state, "Springfield 62701".
QString PlaceLine(const ListRecord& record) {
    QString line = record.City;
    if (!record.State.trimmed().isEmpty())
        line += ", " + record.State;
    return line + " " + FormatZip(record.Zip);
}

// A text trimmed of spaces only (line breaks stay).
QString TrimSpaces(const QString& text) {
    int first = 0;
    int last = int(text.size());
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

QString LabelElementCaption(int code) {
    switch (code) {
    case kNameElement:
        return QStringLiteral("Name");
    case kAddressElement:
        return QStringLiteral("Address");
    case kAttentionElement:
        return QStringLiteral("AttentionLine");
    case kCodeElement:
        return QStringLiteral("Code");
    case kCarrierRouteElement:
        return QStringLiteral("Carrier Route");
    case kZipElement:
        return QStringLiteral("Zip Code");
    default:
        return QString();
    }
}

std::vector<int> AvailableLabelElements(bool international) {
    std::vector<int> elements = {kNameElement, kAddressElement, kAttentionElement, kCodeElement,
                                 kCarrierRouteElement};
    if (international)
        elements.push_back(kZipElement);
    return elements;
}

std::vector<int> DefaultLabelLayout() {
    return {kNameElement, kAddressElement};
}

bool AttentionPrefixed(const std::vector<int>& layout) {
    return std::find(layout.begin() + (layout.empty() ? 0 : 1), layout.end(),
                     int(kAttentionElement)) != layout.end();
}

QString AppendLine(const QString& block) {
    return block.isEmpty() ? block : block + kLineBreak;
}

QString ComposeAddressBlock(const ListRecord& record, const std::vector<int>& layout,
                            bool attentionPrefixed) {
    QString block;
    for (int code : layout) {
        switch (code) {
        case kNameElement:
            block = AppendLine(block) + ReverseName(record.Name, true);
            break;
        case kAddressElement:
            block = AppendLine(block) + StreetPart(record.Address);
            block = AppendLine(block) + PlaceLine(record);
            break;
        case kAttentionElement:
            block = AppendLine(block) + (attentionPrefixed ? "Attn: " : "") + record.Attention;
            break;
        case kCodeElement:
            block = AppendLine(block) + record.Code;
            break;
        case kCarrierRouteElement:
            if (record.CarRt.isEmpty())
                break;
            if (International())
                block = AppendLine(block) + record.CarRt;
            else
                block =
                    AppendLine(block) + QString(17, QLatin1Char('*')) + "CAR-RT**" + record.CarRt;
            break;
        case kZipElement:
            block = AppendLine(block) + record.Zip;
            break;
        default:
            break;
        }
    }
    return block;
}

bool BlockHasText(const QString& block) {
    return !block.trimmed().isEmpty();
}

PrintedBlock PrintLabelBlock(PrinterObject& printer, double x, double y, double typeSize,
                             const QString& block, const BlockRoom& room) {
    printer.SetFontSize(std::round(typeSize));
    printer.SetCurrentY(y);
    PrintedBlock printed;
    const double width = room.right - x;
    // Every line starts at the label's left edge; a lone CR or LF that a stored address
    // may hold ends a line just as CR LF does.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    bool full = false;
    for (const QString& whole : TrimSpaces(block).split(lineBreak)) {
        // From the first line that would end below the room, the rest of the block is left
        // out; a blank line left out is no loss.
        full = full || printer.CurrentY() + printer.TextHeight(whole) > room.bottom;
        if (full) {
            printed.cut = printed.cut || !whole.trimmed().isEmpty();
            continue;
        }
        const QString line = CutToWidth(printer, whole, width);
        printed.cut = printed.cut || line.trimmed() != whole.trimmed();
        printer.SetCurrentX(x);
        printer.Print(line);
    }
    printed.y = printer.CurrentY();
    return printed;
}
