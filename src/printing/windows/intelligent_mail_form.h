#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Intelligent Mail Settings": the parts of the Intelligent Mail barcode's tracking code
// that every label shares (Barcode Identifier, Service Type Identifier, Mailer ID), the
// serial number the next label takes and whether the routing code carries the delivery
// point. OK checks each value and stores them all in the settings store; a bad value is
// refused with a message that says what is allowed, and the window stays open on it.
// Any other way of closing stores nothing.
class IntelligentMailForm : public QDialog {
    Q_OBJECT
public:
    explicit IntelligentMailForm(QWidget* parent = nullptr);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Shows how many digits the serial number has with the Mailer ID typed.
    void ShowSerialRange();
    // Shows the message and puts the focus on the box; true when there was a problem.
    bool Refuse(const QString& problem, QLineEdit* box);

    QLineEdit* m_barcodeIdBox;
    QLineEdit* m_serviceTypeBox;
    QLineEdit* m_mailerIdBox;
    QLineEdit* m_serialBox;
    QLabel* m_serialRange;
    QCheckBox* m_deliveryPointCheck;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    bool m_shown = false;
};
