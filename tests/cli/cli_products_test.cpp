// Label products through the tool: the list of products, and labels printed on a product's
// sheet without a saved layout, read back from the PDF.
#include "cli/cli_process.h"
#include "database/control_core.h"
#include "printing/label_product.h"
#include "support/printing_test.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRectF>

class CliProductsTest : public CliTest {
protected:
    CliResult RunTool(const QStringList& arguments, const QString& folder = "/nonexistent") {
        return RunProgram(LETTRINO_CLI, arguments, {"LETTRINO_LABEL_TEMPLATES=" + folder});
    }
};

TEST_F(CliProductsTest, ProductsAreListedAndSearchedWithoutAList) {
    const CliResult all = RunTool({"products"});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    const QStringList lines = TextLines(all.out);
    EXPECT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.first(), "Avery 5160\tAddress Labels\t2.625 x 1 in\t30\tUS-Letter");

    const CliResult shipping = RunTool({"products", "shipping", "4", "x", "2"});
    EXPECT_EQ(TextLines(shipping.out),
              (QStringList{"Avery 5163\tShipping Labels\t4 x 2 in\t10\tUS-Letter",
                           "Avery 8163\tShipping Labels\t4 x 2 in\t10\tUS-Letter"}));

    // Template files of the folder named join the list.
    QDir(Path("")).mkpath("templates");
    QFile file(Path("templates/acme-templates.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<Glabels-templates>
      <Template brand="Acme" part="7" size="A4" _description="Parcel">
        <Label-rectangle id="0" width="99.1mm" height="67.7mm">
          <Layout nx="2" ny="4" x0="4.7mm" y0="13mm" dx="101.6mm" dy="67.7mm"/>
        </Label-rectangle>
      </Template></Glabels-templates>)");
    file.close();
    const CliResult acme = RunTool({"products", "acme"}, Path("templates"));
    EXPECT_EQ(acme.out, "Acme 7\tParcel\t99.1 x 67.7 mm\t8\tA4\n");

    const CliResult none = RunTool({"products", "nothing like it"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains("no label product matches"));
}

TEST_F(CliProductsTest, EveryWordLiesInsideItsPhysicalLabelOfTheProductsSheet) {
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString club = MakeClubList();
    const std::vector<LabelProduct> builtIn = BuiltInLabelProducts();
    for (const char* name : {"Avery 8163", "Avery 5163", "Avery 5160"}) {
        SCOPED_TRACE(name);
        const LabelProduct* product = FindLabelProduct(builtIn, name);
        ASSERT_NE(product, nullptr);
        const QString pdf = Path(QString(name).replace(' ', '-') + ".pdf");
        // Three records, each repeated to fill the sheet: every row and column is used.
        const CliResult run =
            RunTool({"--list", club, "labels", pdf, "--product", name, "--fill-page"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        std::vector<PdfWord> words;
        ASSERT_TRUE(ReadPdfWords(pdf, words));
        const int perRecord = product->LabelsPerSheet() / 3;
        EXPECT_EQ(std::count_if(words.begin(), words.end(),
                                [](const PdfWord& word) { return word.text == "Adams"; }),
                  perRecord);
        ASSERT_FALSE(words.empty());
        for (const PdfWord& word : words) {
            const QRectF box(QPointF(word.xMin, word.yMin), QPointF(word.xMax, word.yMax));
            bool inside = false;
            for (int row = 0; row < product->rows; ++row)
                for (int column = 0; column < product->columns; ++column) {
                    const QRectF label((product->left + column * product->columnStep) * 72,
                                       (product->top + row * product->rowStep) * 72,
                                       product->width * 72, product->height * 72);
                    inside = inside || label.adjusted(-0.5, -0.5, 0.5, 0.5).contains(box);
                }
            EXPECT_TRUE(inside) << word.text.toStdString() << " at " << word.xMin << ", "
                                << word.yMin;
        }
    }
    // No layout was saved or made current.
    ControlCore control;
    const qint64 current = control.CurrentLabel();
    EXPECT_EQ(RunTool({"info"}).out.count("Avery 8163"), 0);
    EXPECT_EQ(control.CurrentLabel(), current);

    const CliResult unknown = RunTool({"labels", Path("x.pdf"), "--product", "Avery 9999"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("there is no label product named \"Avery 9999\""));
    EXPECT_EQ(
        RunTool({"labels", Path("x.pdf"), "--product", "Avery 5160", "--label", "A"}).exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(Path("x.pdf")));
}
