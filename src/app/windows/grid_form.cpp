#include "app/windows/grid_form.h"

#include "app/messages.h"
#include "app/settings.h"
#include "app/windows/fill_filter_box.h"
#include "app/windows/grid_cell_delegate.h"
#include "app/windows/help_window.h"
#include "database/control_core.h"
#include "database/list_core.h"
#include "printing/grid_model.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr double kTwipsPerInch = 1440;
constexpr double kRowSpare = 50;
} // namespace

GridForm::GridForm(QWidget* parent)
    : QDialog(parent), m_filterBox(new QComboBox(this)), m_grid(new QTableView(this)) {
    AddHelpKey(this, kHelpGrid);
    setObjectName("GridForm");
    setWindowTitle("Grid View");
    m_filterBox->setObjectName("FilterBox");
    m_filterBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_grid->setObjectName("Grid");

    auto* filterLabel = new QLabel("&Filter:", this);
    filterLabel->setBuddy(m_filterBox);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(m_filterBox);
    filterRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(m_grid);

    // The table measures in the grid's font a quarter point larger, so that rows err on the
    // tall side.
    const bool largeScreen = GetFlagSetting("Settings", "BigScreen");
    const QFont font = m_grid->font();
    GridMetrics metrics = GridMetrics::ForFont(font, logicalDpiY(), largeScreen);
    metrics.cellMargin = GridCellDelegate::CellMargin(m_grid) * kTwipsPerInch / logicalDpiY();

    m_control = std::make_unique<ControlCore>();
    m_list = std::make_unique<ListCore>();
    m_list->SetBrowsing(true);
    m_model = new GridModel(*m_list, metrics, this);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new GridCellDelegate(m_grid));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setWordWrap(true);
    m_grid->setTextElideMode(Qt::ElideNone);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setDefaultSectionSize(Pixels(metrics.lineHeight + kRowSpare));
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < 4; ++column)
        m_grid->setColumnWidth(column, Pixels(metrics.columnWidths[size_t(column)]));

    const int gridWidth = Pixels(largeScreen ? 11648 : 9400) + m_grid->frameWidth() * 2;
    m_grid->setMinimumSize(gridWidth, Pixels(largeScreen ? 7900 : 5600));
    if (largeScreen)
        resize(Pixels(12045), Pixels(8955));

    connect(m_model, &GridModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { RowsArrived(first, last); });
    connect(m_model, &GridModel::modelReset, this, [this] {
        if (m_model->rowCount() > 0)
            RowsArrived(0, m_model->rowCount() - 1);
    });
    connect(m_filterBox, &QComboBox::activated, this, &GridForm::FilterBoxClick);

    m_loading = true;
    FillFilterBox(m_filterBox);
    if (m_filterBox->currentIndex() < 0 && m_filterBox->count() > 0)
        m_filterBox->setCurrentIndex(0);
    m_loading = false;
    Fill();
}

GridForm::~GridForm() {
    // The model reads through the list store: it goes first.
    m_grid->setModel(nullptr);
    delete m_model;
}

int GridForm::Pixels(double twips) const {
    return int(std::lround(twips * logicalDpiY() / kTwipsPerInch));
}

void GridForm::FilterBoxClick() {
    if (m_loading)
        return;
    const int index = m_filterBox->currentIndex();
    ChooseFilterOnceItRuns(index < 0 ? 0 : m_filterBox->itemData(index).toLongLong());
    Fill();
}

void GridForm::Fill() {
    m_model->Fill();
    m_grid->scrollToTop();
}

void GridForm::RowsArrived(int first, int last) {
    for (int row = first; row <= last; ++row) {
        const double height = m_model->RowHeight(row);
        if (height > 0)
            m_grid->setRowHeight(row, Pixels(height));
    }
}
