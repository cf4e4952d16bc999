#include "printing/label_product.h"

#include "database/label_record.h"
#include "printing/printer_object.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kMillimetresPerInch = 25.4;
// The text margin of a template that names none.
constexpr double kDefaultTextMargin = 1.0 / 16;
// The type size: five lines of 1.2 times the size in a label's height inside its margins.
constexpr double kAddressLines = 5;
constexpr double kLineSpacing = 1.2;
constexpr int kSmallestTypeSize = 6;
constexpr int kLargestTypeSize = 12;

// A length of a template ("2.625in", "66.675mm", "1cm", "72pt", "6pc"; a bare number is in
// points) in inches; false when the text is not a length.
bool ReadLength(const QString& text, double& inches) {
    static const QRegularExpression length(
        QStringLiteral("^\\s*([0-9]*\\.?[0-9]+(?:[eE][-+]?[0-9]+)?)\\s*(in|mm|cm|pt|pc)?\\s*$"));
    const QRegularExpressionMatch match = length.match(text);
    if (!match.hasMatch())
        return false;
    const double value = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    if (unit == QLatin1String("in"))
        inches = value;
    else if (unit == QLatin1String("mm"))
        inches = value / kMillimetresPerInch;
    else if (unit == QLatin1String("cm"))
        inches = value * 10 / kMillimetresPerInch;
    else if (unit == QLatin1String("pc"))
        inches = value / 6;
    else
        inches = value / 72;
    return std::isfinite(inches);
}

bool LengthAttribute(const QXmlStreamAttributes& attributes, const char* name, double& inches,
                     bool required = true) {
    if (!attributes.hasAttribute(QLatin1String(name))) {
        inches = 0;
        return !required;
    }
    return ReadLength(attributes.value(QLatin1String(name)).toString(), inches);
}

QString Key(const QString& brand, const QString& part) {
    return brand.toCaseFolded() + QLatin1Char('\n') + part.toCaseFolded();
}

bool KeptPaper(const QString& paper) {
    return paper == QLatin1String("US-Letter") || paper == QLatin1String("A4");
}

// Reads one Template element (the reader is at its start) into product, up to its end;
// false when it is not a single grid of rectangles.
bool ReadTemplate(QXmlStreamReader& reader, LabelProduct& product) {
    int shapes = 0;
    int layouts = 0;
    bool good = true;
    product.textMargin = kDefaultTextMargin;
    int depth = 1; // inside the Template element
    while (depth > 0 && !reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement()) {
            --depth;
            continue;
        }
        if (!reader.isStartElement())
            continue;
        ++depth;
        const QString name = reader.name().toString();
        const QXmlStreamAttributes attributes = reader.attributes();
        if (depth == 2 && name.startsWith(QLatin1String("Label-"))) {
            ++shapes;
            good = good && name == QLatin1String("Label-rectangle") &&
                   LengthAttribute(attributes, "width", product.width) &&
                   LengthAttribute(attributes, "height", product.height);
        } else if (depth == 3 && name == QLatin1String("Markup-margin")) {
            double margin = 0;
            if (LengthAttribute(attributes, "size", margin))
                product.textMargin = margin;
        } else if (depth == 3 && name == QLatin1String("Layout")) {
            ++layouts;
            product.columns = attributes.value(QLatin1String("nx")).toInt();
            product.rows = attributes.value(QLatin1String("ny")).toInt();
            good = good && LengthAttribute(attributes, "x0", product.left, false) &&
                   LengthAttribute(attributes, "y0", product.top, false) &&
                   LengthAttribute(attributes, "dx", product.columnStep, false) &&
                   LengthAttribute(attributes, "dy", product.rowStep, false);
        }
    }
    return good && !reader.hasError() && shapes == 1 && layouts == 1 && product.rows > 0 &&
           product.columns > 0 && product.width > 0 && product.height > 0 &&
           (product.rows == 1 || product.rowStep > 0) &&
           (product.columns == 1 || product.columnStep > 0);
}

bool Before(const LabelProduct& a, const LabelProduct& b) {
    const int brand = a.brand.compare(b.brand, Qt::CaseInsensitive);
    if (brand != 0)
        return brand < 0;
    // Part numbers in number order where they are numbers of the same length.
    if (a.part.size() != b.part.size())
        return a.part.size() < b.part.size();
    return a.part.compare(b.part, Qt::CaseInsensitive) < 0;
}

LabelProduct Avery(const char* part, const char* description, double width, double height,
                   int columns, int rows, double left, double top, double columnStep,
                   double rowStep) {
    LabelProduct product;
    product.brand = QStringLiteral("Avery");
    product.part = QString::fromLatin1(part);
    product.description = QString::fromLatin1(description);
    product.paper = QStringLiteral("US-Letter");
    product.width = width;
    product.height = height;
    product.textMargin = kDefaultTextMargin;
    product.columns = columns;
    product.rows = rows;
    product.left = left;
    product.top = top;
    product.columnStep = columnStep;
    product.rowStep = rowStep;
    return product;
}

QString Number(double value) {
    return QString::number(value, 'g', 4);
}

} // namespace

QString LabelProduct::Name() const {
    return brand + QLatin1Char(' ') + part;
}

QString LabelProduct::SizeText() const {
    if (paper == QLatin1String("A4"))
        return QStringLiteral("%1 x %2 mm")
            .arg(Number(std::round(width * kMillimetresPerInch * 10) / 10),
                 Number(std::round(height * kMillimetresPerInch * 10) / 10));
    return QStringLiteral("%1 x %2 in")
        .arg(Number(std::round(width * 1000) / 1000), Number(std::round(height * 1000) / 1000));
}

LabelTemplateFile ReadLabelTemplates(const QString& xml) {
    LabelTemplateFile file;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement() || reader.name() != QLatin1String("Template"))
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        LabelProduct product;
        product.brand = attributes.value(QLatin1String("brand")).toString().trimmed();
        product.part = attributes.value(QLatin1String("part")).toString().trimmed();
        if (product.brand.isEmpty() || product.part.isEmpty()) {
            reader.skipCurrentElement();
            continue;
        }
        const QString sameAs = attributes.value(QLatin1String("equiv")).toString().trimmed();
        if (!sameAs.isEmpty()) {
            file.equivalents.push_back({product.brand, product.part, sameAs});
            reader.skipCurrentElement();
            continue;
        }
        product.paper = attributes.value(QLatin1String("size")).toString();
        product.description = attributes.value(QLatin1String("_description")).toString();
        if (product.description.isEmpty())
            product.description = attributes.value(QLatin1String("description")).toString();
        if (!KeptPaper(product.paper)) {
            reader.skipCurrentElement();
            continue;
        }
        if (ReadTemplate(reader, product))
            file.products.push_back(product);
    }
    return file;
}

std::vector<LabelProduct> BuiltInLabelProducts() {
    // The makers' published sheet geometry: label size, labels across and down, the
    // first label's corner and the steps from label to label, in inches.
    const double third = 1.0 / 3;
    return {
        Avery("5160", "Address Labels", 2.625, 1, 3, 10, 0.1875, 0.5, 2.75, 1),
        Avery("5161", "Address Labels", 4, 1, 2, 10, 0.15625, 0.5, 4.1875, 1),
        Avery("5162", "Address Labels", 4, 1 + third, 2, 7, 0.15625, 0.5 + third, 4.1875,
              1 + third),
        Avery("5163", "Shipping Labels", 4, 2, 2, 5, 0.15625, 0.5, 4.1875, 2),
        Avery("5164", "Shipping Labels", 4, 3 + third, 2, 3, 0.15625, 0.5, 4.1875, 3 + third),
        Avery("5167", "Return Address Labels", 1.75, 0.5, 4, 20, 0.28125, 0.5, 2.0625, 0.5),
        Avery("8160", "Address Labels", 2.625, 1, 3, 10, 0.1875, 0.5, 2.75, 1),
        Avery("8163", "Shipping Labels", 4, 2, 2, 5, 0.15625, 0.5, 4.1875, 2),
    };
}

QString LabelTemplatesFolder() {
    const QString chosen = qEnvironmentVariable("LETTRINO_LABEL_TEMPLATES");
    return chosen.isEmpty() ? QStringLiteral("/usr/share/libglabels-3.0/templates") : chosen;
}

std::vector<LabelProduct> LabelProducts(const QString& folder) {
    std::map<QString, LabelProduct> byName;
    std::vector<LabelTemplateFile::Equivalent> equivalents;
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("*-templates.xml")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        LabelTemplateFile read = ReadLabelTemplates(QString::fromUtf8(file.readAll()));
        for (LabelProduct& product : read.products)
            byName.emplace(Key(product.brand, product.part), std::move(product));
        equivalents.insert(equivalents.end(), read.equivalents.begin(), read.equivalents.end());
    }
    for (const LabelTemplateFile::Equivalent& equivalent : equivalents) {
        const auto same = byName.find(Key(equivalent.brand, equivalent.sameAs));
        if (same == byName.end())
            continue; // a sheet that was left out, or is missing
        LabelProduct product = same->second;
        product.part = equivalent.part;
        byName.emplace(Key(product.brand, product.part), product);
    }
    // A product the files describe keeps their geometry.
    for (const LabelProduct& product : BuiltInLabelProducts())
        byName.emplace(Key(product.brand, product.part), product);
    std::vector<LabelProduct> products;
    products.reserve(byName.size());
    for (auto& entry : byName)
        products.push_back(std::move(entry.second));
    std::sort(products.begin(), products.end(), Before);
    return products;
}

std::vector<LabelProduct> FindLabelProducts(const std::vector<LabelProduct>& products,
                                            const QString& search) {
    const QStringList words = search.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<LabelProduct> found;
    for (const LabelProduct& product : products) {
        const QString text = QStringList{product.brand, product.part, product.description,
                                         product.SizeText(), product.paper}
                                 .join(QLatin1Char(' '));
        if (std::all_of(words.begin(), words.end(), [&](const QString& word) {
                return text.contains(word, Qt::CaseInsensitive);
            }))
            found.push_back(product);
    }
    return found;
}

const LabelProduct* FindLabelProduct(const std::vector<LabelProduct>& products,
                                     const QString& name) {
    const QString wanted = name.simplified();
    for (const LabelProduct& product : products)
        if (product.Name().compare(wanted, Qt::CaseInsensitive) == 0)
            return &product;
    return nullptr;
}

namespace {
// Inches as the label window's boxes take them: four decimals at most.
float BoxInches(double inches) {
    return float(std::round(inches * 10000) / 10000);
}
} // namespace

LabelRecord LabelFromProduct(const LabelProduct& product, const PrinterObject& printer) {
    // The printable area's origin lies at -PaperRect().topLeft() on the paper.
    const QRectF paper = printer.PaperRect();
    const double insetLeft = -paper.left() / kTwipsPerInch;
    const double insetTop = -paper.top() / kTwipsPerInch;
    LabelRecord label;
    label.LName = product.Name();
    label.LRows = float(product.rows);
    label.LCols = float(product.columns);
    label.IndentLeft = BoxInches(std::max(0.0, product.left + product.textMargin - insetLeft));
    label.IndentTop = BoxInches(std::max(0.0, product.top + product.textMargin - insetTop));
    label.RowDelta = BoxInches(product.rows > 1 ? product.rowStep : product.height);
    label.ColDelta = BoxInches(product.columns > 1 ? product.columnStep : product.width);
    const double textHeight = (product.height - 2 * product.textMargin) * 72;
    const int size = int(std::floor(textHeight / (kAddressLines * kLineSpacing)));
    label.LTypeSize = float(std::clamp(size, kSmallestTypeSize, kLargestTypeSize));
    return label;
}
