#include "database/label_record.h"
#include "printing/label_product.h"
#include "printing/pdf_file_device.h"
#include "support/printing_test.h"

#include <QDir>
#include <QFile>

namespace {

// Template files in the format label designers install, with one of each kind of entry.
const char* const kTemplates = R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Acme" part="100" size="US-Letter" _description="Address Labels">
    <Meta category="label"/>
    <Label-rectangle id="0" width="2.5in" height="1in" round="0.0625in">
      <Markup-margin size="0.1in"/>
      <Layout nx="3" ny="10" x0="0.25in" y0="0.5in" dx="2.75in" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="101" equiv="100"/>
  <Template brand="Acme" part="102" equiv="999"/>
  <Template brand="Acme" part="A4-7" size="A4" _description="Mailing labels">
    <Label-rectangle id="0" width="144pt" height="72pt">
      <Layout nx="2" ny="1" x0="10mm" y0="1cm" dx="180pt"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="R1" size="US-Letter" _description="Round labels">
    <Label-round id="0" radius="1in"><Layout nx="2" ny="2" x0="0" y0="0" dx="2in" dy="2in"/></Label-round>
  </Template>
  <Template brand="Acme" part="Two" size="US-Letter" _description="Mixed layouts">
    <Label-rectangle id="0" width="1in" height="1in">
      <Layout nx="2" ny="2" x0="0" y0="0" dx="1in" dy="1in"/>
      <Layout nx="2" ny="2" x0="0" y0="5in" dx="1in" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="Odd" size="Other" width="3in" height="5in" _description="Odd paper">
    <Label-rectangle id="0" width="1in" height="1in"><Layout nx="1" ny="1"/></Label-rectangle>
  </Template>
  <Template brand="Acme" part="Bad" size="US-Letter" _description="Unreadable width">
    <Label-rectangle id="0" width="wide" height="1in"><Layout nx="1" ny="1"/></Label-rectangle>
  </Template>
</Glabels-templates>
)";

LabelProduct ProductOf(const std::vector<LabelProduct>& products, const QString& name) {
    const LabelProduct* product = FindLabelProduct(products, name);
    EXPECT_NE(product, nullptr) << name.toStdString();
    return product ? *product : LabelProduct();
}

} // namespace

using LabelProducts_ = PrintingTest;

TEST_F(LabelProducts_, TemplatesKeepOnlyGridsOfRectanglesOnLetterOrA4InTheirUnits) {
    const LabelTemplateFile file = ReadLabelTemplates(kTemplates);
    ASSERT_EQ(file.products.size(), 2u);
    const LabelProduct& letter = file.products[0];
    EXPECT_EQ(letter.Name(), "Acme 100");
    EXPECT_EQ(letter.description, "Address Labels");
    EXPECT_EQ(letter.paper, "US-Letter");
    EXPECT_DOUBLE_EQ(letter.width, 2.5);
    EXPECT_DOUBLE_EQ(letter.textMargin, 0.1);
    EXPECT_EQ(letter.columns, 3);
    EXPECT_EQ(letter.rows, 10);
    EXPECT_DOUBLE_EQ(letter.left, 0.25);
    EXPECT_DOUBLE_EQ(letter.columnStep, 2.75);
    EXPECT_EQ(letter.LabelsPerSheet(), 30);
    EXPECT_EQ(letter.SizeText(), "2.5 x 1 in");

    // Points, millimetres and centimetres; a missing margin is 1/16 inch.
    const LabelProduct& a4 = file.products[1];
    EXPECT_DOUBLE_EQ(a4.width, 2.0);
    EXPECT_NEAR(a4.left, 10 / 25.4, 1e-12);
    EXPECT_NEAR(a4.top, 10 / 25.4, 1e-12);
    EXPECT_DOUBLE_EQ(a4.columnStep, 2.5);
    EXPECT_DOUBLE_EQ(a4.textMargin, 1.0 / 16);
    EXPECT_EQ(a4.SizeText(), "50.8 x 25.4 mm");

    ASSERT_EQ(file.equivalents.size(), 2u);
    EXPECT_EQ(file.equivalents[0].part, "101");
    EXPECT_EQ(file.equivalents[0].sameAs, "100");
}

TEST_F(LabelProducts_, FolderProductsResolveEquivalentsWinOverBuiltInsAndAreSearched) {
    QDir(Path("")).mkpath("templates");
    const auto write = [this](const QString& name, const QByteArray& text) {
        QFile file(Path("templates/" + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write("acme-templates.xml", kTemplates);
    // Equivalents may name a sheet of another file; the files' sheets win over built-ins.
    write("more-templates.xml", R"(<Glabels-templates>
      <Template brand="Acme" part="200" equiv="100"/>
      <Template brand="Avery" part="8163" equiv="5163"/>
      <Template brand="Avery" part="5163" size="US-Letter" _description="Shipping Labels">
        <Label-rectangle id="0" width="4in" height="2in">
          <Layout nx="2" ny="4" x0="0.15625in" y0="1.5in" dx="4.1875in" dy="2in"/>
        </Label-rectangle>
      </Template>
    </Glabels-templates>)");
    // A file of another name is not read.
    write("other.xml", R"(<Glabels-templates><Template brand="Acme" part="300" equiv="100"/>
                          </Glabels-templates>)");

    const std::vector<LabelProduct> products = LabelProducts(Path("templates"));
    // 100, 101, 200, A4-7, 5163 and 8163 from the files, the 6 other built-in ones; 102
    // names a missing sheet.
    EXPECT_EQ(products.size(), 6u + 6u);
    EXPECT_EQ(products.front().Name(), "Acme 100");
    EXPECT_EQ(FindLabelProduct(products, "acme 102"), nullptr);
    EXPECT_EQ(FindLabelProduct(products, "acme 300"), nullptr);
    EXPECT_EQ(ProductOf(products, "ACME 200").columnStep, 2.75);
    EXPECT_EQ(ProductOf(products, "Avery 5163").rows, 4);
    EXPECT_EQ(ProductOf(products, "Avery 8163").rows, 4);
    EXPECT_EQ(ProductOf(products, "Avery 8163").description, "Shipping Labels");
    EXPECT_EQ(ProductOf(products, "avery 5160").rows, 10);
    // Part numbers in number order within a brand.
    std::vector<QString> avery;
    for (const LabelProduct& product : products)
        if (product.brand == "Avery")
            avery.push_back(product.part);
    EXPECT_EQ(avery, (std::vector<QString>{"5160", "5161", "5162", "5163", "5164", "5167", "8160",
                                           "8163"}));

    EXPECT_EQ(FindLabelProducts(products, "").size(), products.size());
    EXPECT_EQ(FindLabelProducts(products, "  SHIPPING  4 x 2 ").size(), 2u); // 5163, 8163
    EXPECT_EQ(FindLabelProducts(products, "acme a4").size(), 1u);
    EXPECT_EQ(FindLabelProducts(products, "2.5 x 1 in").size(), 3u); // 100, 101, 200
    EXPECT_TRUE(FindLabelProducts(products, "avery nothing").empty());

    // Without the folder the built-in list alone.
    EXPECT_EQ(LabelProducts(Path("missing")).size(), 8u);
}

TEST_F(LabelProducts_, DefinitionsAreMeasuredFromThePrintableAreaWithATypeSizeThatFits) {
    const std::vector<LabelProduct> builtIn = BuiltInLabelProducts();
    const auto pdf = PdfFileDevice::MakePrinter();
    // 0.25 inch of the paper lies outside the PDF printer's printable area.
    const LabelRecord shipping = LabelFromProduct(ProductOf(builtIn, "Avery 8163"), *pdf);
    EXPECT_EQ(shipping.LName, "Avery 8163");
    EXPECT_EQ(shipping.LRows, 5);
    EXPECT_EQ(shipping.LCols, 2);
    EXPECT_FLOAT_EQ(shipping.IndentTop, 0.5f + 0.0625f - 0.25f);
    EXPECT_FLOAT_EQ(shipping.IndentLeft, 0); // the text would start outside: at its edge
    EXPECT_FLOAT_EQ(shipping.RowDelta, 2);
    EXPECT_FLOAT_EQ(shipping.ColDelta, 4.1875f);
    EXPECT_FLOAT_EQ(shipping.LTypeSize, 12);

    EXPECT_FLOAT_EQ(LabelFromProduct(ProductOf(builtIn, "Avery 5160"), *pdf).LTypeSize, 10);
    EXPECT_FLOAT_EQ(LabelFromProduct(ProductOf(builtIn, "Avery 5167"), *pdf).LTypeSize, 6);

    // A printer whose printable area is the whole sheet.
    const LabelRecord whole = LabelFromProduct(ProductOf(builtIn, "Avery 5167"), *Recorder());
    EXPECT_FLOAT_EQ(whole.IndentLeft, 0.3438f); // 0.34375 to four decimals
    EXPECT_FLOAT_EQ(whole.IndentTop, 0.5f + 0.0625f);

    // A sheet of one row and one column still steps by a label.
    LabelProduct single = ProductOf(builtIn, "Avery 5163");
    single.rows = single.columns = 1;
    single.rowStep = single.columnStep = 0;
    const LabelRecord one = LabelFromProduct(single, *pdf);
    EXPECT_FLOAT_EQ(one.RowDelta, 2);
    EXPECT_FLOAT_EQ(one.ColDelta, 4);
}

TEST_F(LabelProducts_, BuiltInSheetsAgreeWithTheInstalledTemplates) {
    const QString folder = "/usr/share/libglabels-3.0/templates";
    if (!QDir(folder).exists())
        GTEST_SKIP() << "the label templates of glabels-data are not installed in " +
                            folder.toStdString();
    const std::vector<LabelProduct> installed = LabelProducts(folder);
    EXPECT_GT(installed.size(), 1000u);
    const std::vector<LabelProduct> builtIn = BuiltInLabelProducts();
    for (const char* name : {"Avery 5160", "Avery 5163", "Avery 8163"}) {
        SCOPED_TRACE(name);
        const LabelProduct ours = ProductOf(builtIn, name);
        const LabelProduct theirs = ProductOf(installed, name);
        EXPECT_EQ(theirs.rows, ours.rows);
        EXPECT_EQ(theirs.columns, ours.columns);
        EXPECT_NEAR(theirs.width, ours.width, 1e-6);
        EXPECT_NEAR(theirs.height, ours.height, 1e-6);
        // Measured sheets and published ones differ by less than the tolerance of a printer.
        EXPECT_NEAR(theirs.left, ours.left, 1.0 / 16);
        EXPECT_NEAR(theirs.top, ours.top, 1.0 / 16);
        EXPECT_NEAR(theirs.columnStep, ours.columnStep, 1.0 / 16);
        EXPECT_NEAR(theirs.rowStep, ours.rowStep, 1e-6);
    }
}
