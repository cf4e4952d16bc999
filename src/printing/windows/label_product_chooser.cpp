#include "printing/windows/label_product_chooser.h"

#include "app/messages.h"
#include "app/windows/center_form.h"
#include "app/windows/help_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

LabelProductChooser::LabelProductChooser(std::vector<LabelProduct> products, QWidget* parent)
    : QDialog(parent), m_products(std::move(products)), m_searchBox(new QLineEdit(this)),
      m_productTable(new QTableWidget(this)) {
    AddHelpKey(this, kHelpLabelProducts);
    setObjectName("LabelProductChooser");
    setWindowTitle("Choose a Label Product");
    m_searchBox->setObjectName("SearchBox");
    m_searchBox->setPlaceholderText("Brand, part number, description or size");
    m_searchBox->setClearButtonEnabled(true);
    m_productTable->setObjectName("ProductTable");
    m_productTable->setColumnCount(5);
    m_productTable->setHorizontalHeaderLabels(
        {"Brand", "Part", "Description", "Label Size", "Labels per Sheet"});
    m_productTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_productTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_productTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_productTable->verticalHeader()->hide();
    m_productTable->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    m_okButton->setObjectName("OKButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelButton");
    auto* note = new QLabel(
        "The boxes of a new label definition are filled from the sheet chosen; check them, "
        "then save.",
        this);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    auto* searchLabel = new QLabel("&Search:", this);
    searchLabel->setBuddy(m_searchBox);
    layout->addWidget(searchLabel);
    layout->addWidget(m_searchBox);
    layout->addWidget(m_productTable, 1);
    layout->addWidget(note);
    layout->addWidget(buttons);
    resize(720, 480);

    connect(m_searchBox, &QLineEdit::textChanged, this, &LabelProductChooser::Search);
    connect(m_productTable, &QTableWidget::cellDoubleClicked, this, &LabelProductChooser::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &LabelProductChooser::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LabelProductChooser::reject);
    Search();
}

LabelProductChooser::~LabelProductChooser() = default;

void LabelProductChooser::Search() {
    m_shown = FindLabelProducts(m_products, m_searchBox->text());
    m_productTable->setRowCount(int(m_shown.size()));
    for (int row = 0; row < int(m_shown.size()); ++row) {
        const LabelProduct& product = m_shown[size_t(row)];
        const QStringList cells{product.brand, product.part, product.description,
                                product.SizeText(), QString::number(product.LabelsPerSheet())};
        for (int column = 0; column < cells.size(); ++column)
            m_productTable->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_productTable->resizeColumnsToContents();
    if (!m_shown.empty())
        m_productTable->selectRow(0);
    m_okButton->setEnabled(!m_shown.empty());
}

void LabelProductChooser::accept() {
    const int row = m_productTable->currentRow();
    if (row < 0 || row >= int(m_shown.size()))
        return;
    m_chosen = m_shown[size_t(row)];
    QDialog::accept();
}
