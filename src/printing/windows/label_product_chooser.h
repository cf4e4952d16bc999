#pragma once

#include "printing/label_product.h"

#include <QDialog>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

// "Choose a Label Product": the label products in a table (brand, part, description, label
// size, labels per sheet), narrowed as the user types in the search box. OK (or a double
// click on a row) chooses the selected product.
class LabelProductChooser : public QDialog {
    Q_OBJECT
public:
    explicit LabelProductChooser(std::vector<LabelProduct> products, QWidget* parent = nullptr);
    ~LabelProductChooser() override;

    // The product chosen; empty until OK is pressed with a row selected.
    std::optional<LabelProduct> Chosen() const { return m_chosen; }
    void accept() override;

private:
    void Search();

    std::vector<LabelProduct> m_products;
    std::vector<LabelProduct> m_shown;
    std::optional<LabelProduct> m_chosen;
    QLineEdit* m_searchBox;
    QTableWidget* m_productTable;
    QPushButton* m_okButton;
};
