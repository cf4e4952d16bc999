#include "app/windows/grid_form.h"

#include "app/settings.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_record.h"
#include "filters/build_filter_query.h"
#include "printing/grid_model.h"
#include "support/label_fixtures.h"
#include "support/test_environment.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QPixmap>
#include <QTableView>
#include <cmath>

namespace {

int Pixels(const QWidget* widget, double twips) {
    return int(std::lround(twips * widget->logicalDpiY() / 1440.0));
}

// Names, addresses and e-mail addresses too long for one line of their columns.
void WideRecords(int i, ListRecord& record) {
    record.Address = QString::number(i) + " Elm";
    record.City = "Ames";
    switch (i) {
    case 1:
        record.Name = "Montgomery-Smythe; Alexandra Cath";
        break;
    case 2:
        record.Address = "Apartment 1204, North Tower\r\n4455 Lakeshore Boulevard West";
        record.City = "Chicago";
        break;
    case 3:
        record.EMail = "a.montgomery@mail.northwestern.edu";
        break;
    case 4:
        record.EMail = "a@b.org";
        record.Phone = "3125550199";
        break;
    default:
        break;
    }
}

} // namespace

class GridWindow : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        MakeList();
    }
};

TEST_F(GridWindow, ShowsTheFilterWithTallerRowsForWrappedTexts) {
    AddAddressRecords(6, WideRecords);
    GridForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Grid View");
    QTableView* grid = form.findChild<QTableView*>("Grid");
    ASSERT_TRUE(grid);
    ASSERT_TRUE(form.findChild<QComboBox*>("FilterBox"));
    const QAbstractItemModel* model = grid->model();
    ASSERT_EQ(model->rowCount(), 6);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "Phone");
    EXPECT_EQ(grid->columnWidth(0), Pixels(&form, 2490));
    EXPECT_EQ(grid->columnWidth(1), Pixels(&form, 3200));
    EXPECT_EQ(grid->columnWidth(2), Pixels(&form, 2000));

    EXPECT_EQ(model->index(2, 2).data().toString(), "a.montgomery@mail.northwestern .edu");
    EXPECT_EQ(model->index(3, 2).data().toString(), "a@b.org");
    EXPECT_EQ(model->index(3, 3).data().toString(), "(312) 555-0199");
    // The short rows share one height; the long name, address and e-mail rows are taller,
    // each by whole lines.
    const int single = grid->rowHeight(3);
    EXPECT_EQ(grid->rowHeight(4), single);
    for (int row : {0, 1, 2}) {
        EXPECT_GT(grid->rowHeight(row), single) << row;
        EXPECT_EQ(grid->rowHeight(row), Pixels(&form, form.Model().RowHeight(row))) << row;
    }

    // Pictures of the grid for the eye, when asked for.
    const QString folder = qEnvironmentVariable("LETTRINO_SCREENSHOTS");
    if (!folder.isEmpty()) {
        form.resize(form.sizeHint());
        form.grab().save(QDir(folder).absoluteFilePath("grid_form.png"));
    }
}

TEST_F(GridWindow, AnotherFilterRefillsTheGrid) {
    AddAddressRecords(5, [](int i, ListRecord& record) {
        if (i > 3)
            record.City = "Peoria";
    });
    FilterRecord filter;
    filter.FilterName = "Peoria";
    filter.StartCity = filter.EndCity = "Peoria";
    filter.Query = BuildFilterQuery(filter);
    FilterCore filters;
    ASSERT_TRUE(filters.NewRecord(filter));

    GridForm form;
    form.show();
    auto* box = form.findChild<QComboBox*>("FilterBox");
    ASSERT_EQ(box->count(), 2);
    QTableView* grid = form.findChild<QTableView*>("Grid");
    EXPECT_EQ(grid->model()->rowCount(), 5);
    box->setCurrentIndex(1);
    Q_EMIT box->activated(1);
    EXPECT_EQ(ControlCore().CurrentFilter(), filters.ID());
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "Name004; First");
}

TEST_F(GridWindow, LargeScreenWidensTheColumns) {
    SaveFlagSetting("Settings", "BigScreen", true);
    AddAddressRecords(1);
    GridForm form;
    QTableView* grid = form.findChild<QTableView*>("Grid");
    EXPECT_EQ(grid->columnWidth(0), Pixels(&form, 3138));
    EXPECT_EQ(grid->columnWidth(1), Pixels(&form, 4043));
    EXPECT_EQ(grid->columnWidth(2), Pixels(&form, 2585));
    EXPECT_EQ(form.width(), Pixels(&form, 12045));
}
