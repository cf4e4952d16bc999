#include "printing/grid_model.h"

#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "filters/build_filter_query.h"
#include "support/label_fixtures.h"
#include "support/test_environment.h"

#include <QSignalSpy>

namespace {

// Every character 100 twips wide, a line 240 twips high, the normal column widths.
GridMetrics FixedMetrics() {
    GridMetrics metrics;
    metrics.columnWidths = GridMetrics::ColumnWidths(false);
    metrics.lineHeight = 240;
    metrics.textWidth = [](const QString& text) { return 100.0 * text.size(); };
    return metrics;
}

} // namespace

TEST(GridTexts, AddressAndEMailCells) {
    const GridMetrics metrics = FixedMetrics();
    ListRecord record;
    record.Address = "1 Main St\r\nSuite 4";
    record.City = " Springfield ";
    record.State = "IL";
    record.Zip = "627010001";
    EXPECT_EQ(GridAddressText(record), "1 Main St Suite 4, Springfield, IL 62701-0001");
    record.State.clear();
    record.Zip = "000000000";
    EXPECT_EQ(GridAddressText(record), "1 Main St Suite 4, Springfield");
    // No address: an empty cell, whatever the place.
    record.Address = "  ";
    record.State = "IL";
    EXPECT_EQ(GridAddressText(record), "");

    // The e-mail column is 2000 twips: 19 characters and the 60 to spare fit (1960).
    EXPECT_EQ(GridEMailText("abcdefghij@abcd.com", metrics), "abcdefghij@abcd.com");
    EXPECT_EQ(GridEMailText("someone@mail.example.org", metrics), "someone@mail.example .org");
    EXPECT_EQ(GridEMailText("no-dot-in-this-address", metrics), "no-dot-in-this-address");
}

TEST(GridTexts, RowsGrowByTheirWidestCell) {
    const GridMetrics metrics = FixedMetrics();
    ListRecord record;
    record.Name = "  Short; Name  ";
    record.Phone = "2175550123";
    GridRow row = MakeGridRow(record, metrics);
    EXPECT_EQ(row.name, "Short; Name");
    EXPECT_EQ(row.phone, "(217) 555-0123");
    EXPECT_EQ(row.lines, 1);
    // A name twice as wide as its 2490-twip column: two lines.
    record.Name = QString(49, QLatin1Char('n'));
    EXPECT_EQ(MakeGridRow(record, metrics).lines, 2);
    record.Name = QString(50, QLatin1Char('n'));
    EXPECT_EQ(MakeGridRow(record, metrics).lines, 3);
    // The address column (3200) and the e-mail with its 60 twips to spare (2000).
    record.Name = "A";
    record.Address = QString(65, QLatin1Char('a'));
    record.City = "X";
    EXPECT_EQ(MakeGridRow(record, metrics).lines, 3);
    record.Address.clear();
    record.EMail = "abcdefghijk@example.com"; // 24 characters with the space: 2460 twips
    EXPECT_EQ(MakeGridRow(record, metrics).email, "abcdefghijk@example .com");
    EXPECT_EQ(MakeGridRow(record, metrics).lines, 2);
}

class GridModelTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        MakeList();
    }
};

TEST_F(GridModelTest, RowsArriveAChunkAtATimeWithTheirHeights) {
    AddAddressRecords(450, [](int i, ListRecord& record) {
        record.City = "Ames"; // every address cell fits on one line
        if (i == 2)
            record.Name = "Name002" + QString(21, QLatin1Char('w')) + "; Wide"; // 34 wide
    });
    ListCore list;
    GridModel model(list, FixedMetrics());
    model.Fill();
    EXPECT_EQ(model.TotalRecords(), 450);
    EXPECT_EQ(model.rowCount(), GridModel::kChunk);
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "EMail");
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "Name001; First");
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "1 Main St, Ames, IL 62701-0001");
    EXPECT_EQ(model.RowHeight(0), 0);
    // The wide name needs two lines: twice the line height and 50 twips.
    EXPECT_EQ(model.RowHeight(1), 2 * 240 + 50);

    ASSERT_TRUE(model.canFetchMore(QModelIndex()));
    QSignalSpy inserted(&model, &GridModel::rowsInserted);
    model.fetchMore(QModelIndex());
    model.fetchMore(QModelIndex());
    EXPECT_EQ(model.rowCount(), 450);
    EXPECT_EQ(inserted.count(), 2);
    EXPECT_FALSE(model.canFetchMore(QModelIndex()));
    EXPECT_EQ(model.data(model.index(449, 0)).toString(), "Name450; First");
}

TEST_F(GridModelTest, AnotherFilterRefillsFromTheTop) {
    AddAddressRecords(5, [](int i, ListRecord& record) {
        if (i > 3)
            record.City = "Peoria";
    });
    ListCore list;
    GridModel model(list, FixedMetrics());
    model.Fill();
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_FALSE(model.canFetchMore(QModelIndex()));

    FilterRecord filter;
    filter.FilterName = "Peoria";
    filter.StartCity = filter.EndCity = "Peoria";
    filter.Query = BuildFilterQuery(filter);
    FilterCore filters;
    ASSERT_TRUE(filters.NewRecord(filter));
    ControlCore().SetCurrentFilter(filters.ID());
    QSignalSpy reset(&model, &GridModel::modelReset);
    model.Fill();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "Name004; First");

    // A filter that selects nothing leaves only the headings.
    ListCore().DeleteRecordset();
    model.Fill();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.canFetchMore(QModelIndex()));
}
