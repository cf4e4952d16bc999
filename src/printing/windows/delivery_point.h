#pragma once

#include <QDialog>
#include <memory>

class ListCore;
class QLineEdit;
class QPushButton;

// "Delivery Point Digits": the zip, delivery-point digits and check digit of one record's
// POSTNET bar code, and the override of its delivery-point digits. OK stores the override
// (two digits, or empty to take the digits from the address again); any other way of
// closing stores nothing.
class DeliveryPoint : public QDialog {
    Q_OBJECT
public:
    explicit DeliveryPoint(QWidget* parent = nullptr);
    ~DeliveryPoint() override;

    // The ID of the list record shown; set before the window is shown.
    qint64 Record() const { return m_record; }
    void SetRecord(qint64 id) { m_record = id; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Reads the record through the window's own list store and shows its values.
    void ShowRecord();

    qint64 m_record = 0;
    bool m_shown = false;
    std::unique_ptr<ListCore> m_list;
    QLineEdit* m_zipBox;
    QLineEdit* m_dpBox;
    QLineEdit* m_cdBox;
    QLineEdit* m_overrideBox;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
};
