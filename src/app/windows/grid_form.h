#pragma once

#include <QDialog>
#include <memory>

class ControlCore;
class GridModel;
class ListCore;
class QComboBox;
class QTableView;

// "Grid View": the records of the chosen filter as a read-only table of Name, Address,
// EMail and Phone, one row per record. Rows grow to show long names, addresses and e-mail
// addresses wrapped in their cells. Rows are read as the table reaches them, so that a
// filter of any size opens at once. Choosing another filter makes it the list's current
// filter and fills the table again.
class GridForm : public QDialog {
    Q_OBJECT
public:
    explicit GridForm(QWidget* parent = nullptr);
    ~GridForm() override;

    GridModel& Model() const { return *m_model; }
    QTableView* Grid() const { return m_grid; }

private:
    void FilterBoxClick();
    void Fill();
    // Sets the heights of newly arrived rows that need more than one line.
    void RowsArrived(int first, int last);
    int Pixels(double twips) const;

    QComboBox* m_filterBox;
    QTableView* m_grid;
    std::unique_ptr<ControlCore> m_control;
    std::unique_ptr<ListCore> m_list;
    GridModel* m_model = nullptr;
    bool m_loading = false;
};
