#pragma once

#include <QString>
#include <vector>

class PrinterObject;
struct LabelRecord;

// A sheet of labels as sold: a grid of rectangular labels of one size on US Letter or A4
// paper. Lengths are inches, measured on the paper from its top left corner.
struct LabelProduct {
    QString brand;
    QString part;
    QString description;
    QString paper;    // "US-Letter" or "A4"
    double width = 0; // one label
    double height = 0;
    double textMargin = 0; // how far inside its edges a label's text starts
    int rows = 0;
    int columns = 0;
    double left = 0; // the first label's top left corner
    double top = 0;
    double columnStep = 0; // from one column, or row, to the next
    double rowStep = 0;

    // "Brand part", the name the product is chosen by.
    QString Name() const;
    // "4 x 2 in" (or millimetres for A4 sheets).
    QString SizeText() const;
    int LabelsPerSheet() const { return rows * columns; }
};

// Reads the products of a label-template file (the XML of the templates that label
// designers install: Template elements with brand, part, size and _description, a
// Label-rectangle with width and height, an optional Markup-margin and one Layout with nx,
// ny, x0, y0, dx and dy; an element with equiv= names the sheet of another part of the same
// brand). Only grids of rectangles on US Letter or A4 are kept; round labels, CDs, several
// layouts and other papers are left out, and so is anything unreadable. Equivalent parts
// whose sheet is not in the text are resolved by LabelProducts.
struct LabelTemplateFile {
    std::vector<LabelProduct> products;
    // Each equivalent part: {brand, part, the part whose sheet it is}.
    struct Equivalent {
        QString brand;
        QString part;
        QString sameAs;
    };
    std::vector<Equivalent> equivalents;
};
LabelTemplateFile ReadLabelTemplates(const QString& xml);

// The commonest Avery address and shipping labels, so that the list works without the
// template files.
std::vector<LabelProduct> BuiltInLabelProducts();

// Where the template files are read from: LETTRINO_LABEL_TEMPLATES when set, else the
// folder the Debian package glabels-data fills.
QString LabelTemplatesFolder();

// Every product: those of the *-templates.xml files of the folder, equivalent parts
// resolved, and the built-in ones that the files lack; sorted by brand, then part.
std::vector<LabelProduct> LabelProducts(const QString& folder = LabelTemplatesFolder());

// The products whose brand, part, description and size contain every word of search
// (without regard to case); all for an empty search.
std::vector<LabelProduct> FindLabelProducts(const std::vector<LabelProduct>& products,
                                            const QString& search);
// The product of that name ("Avery 8163", without regard to case); nullptr for none.
const LabelProduct* FindLabelProduct(const std::vector<LabelProduct>& products,
                                     const QString& name);

// The label definition that prints on the product's labels on that printer: indents
// measured from the printer's printable area to where the text starts (never outside the
// printable area), the row and column differences (lengths to 1/10000 inch, as the label
// window takes them), and a type size that fits five lines in a label's height (6 to 12
// points).
LabelRecord LabelFromProduct(const LabelProduct& product, const PrinterObject& printer);
