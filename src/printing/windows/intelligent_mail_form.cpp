#include "printing/windows/intelligent_mail_form.h"

#include "app/messages.h"
#include "app/windows/center_form.h"
#include "app/windows/help_window.h"
#include "printing/intelligent_mail_settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

IntelligentMailForm::IntelligentMailForm(QWidget* parent)
    : QDialog(parent), m_barcodeIdBox(new QLineEdit(this)), m_serviceTypeBox(new QLineEdit(this)),
      m_mailerIdBox(new QLineEdit(this)), m_serialBox(new QLineEdit(this)),
      m_serialRange(new QLabel(this)),
      m_deliveryPointCheck(
          new QCheckBox("Routing code with the delivery point (zip + 4 and two digits)", this)),
      m_okButton(new QPushButton("OK", this)), m_cancelButton(new QPushButton("Cancel", this)) {
    AddHelpKey(this, kHelpIntelligentMail);
    setObjectName("IntelligentMailForm");
    setWindowTitle("Intelligent Mail Settings");
    m_barcodeIdBox->setObjectName("BarcodeIdBox");
    m_serviceTypeBox->setObjectName("ServiceTypeBox");
    m_mailerIdBox->setObjectName("MailerIdBox");
    m_serialBox->setObjectName("SerialBox");
    m_serialRange->setObjectName("SerialRangeLabel");
    m_deliveryPointCheck->setObjectName("DeliveryPointCheck");
    m_okButton->setObjectName("OKButton");
    m_cancelButton->setObjectName("CancelButton");
    m_barcodeIdBox->setMaxLength(2);
    m_serviceTypeBox->setMaxLength(3);
    m_mailerIdBox->setMaxLength(9);
    m_serialBox->setMaxLength(9);
    m_barcodeIdBox->setToolTip("Two digits, the second 0 to 4; 00 without an optional "
                               "endorsement line");
    m_serviceTypeBox->setToolTip("Three digits: the class of mail and its extra services");
    m_mailerIdBox->setToolTip("The Mailer ID the Postal Service assigned: six digits, or nine "
                              "starting with 9");
    m_serialBox->setToolTip("The serial number the next label takes; every label takes the "
                            "next one");
    m_okButton->setDefault(true);

    const IntelligentMailSettings settings = ReadIntelligentMailSettings();
    m_barcodeIdBox->setText(settings.barcodeIdentifier);
    m_serviceTypeBox->setText(settings.serviceType);
    m_mailerIdBox->setText(settings.mailerId);
    if (settings.nextSerial >= 0)
        m_serialBox->setText(QString::number(settings.nextSerial));
    m_deliveryPointCheck->setChecked(settings.deliveryPointRouting);
    ShowSerialRange();

    auto* form = new QFormLayout;
    form->addRow("Barcode Identifier", m_barcodeIdBox);
    form->addRow("Service Type Identifier", m_serviceTypeBox);
    form->addRow("Mailer ID", m_mailerIdBox);
    form->addRow("Next Serial Number", m_serialBox);
    form->addRow(QString(), m_serialRange);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_deliveryPointCheck);
    layout->addLayout(buttons);

    connect(m_mailerIdBox, &QLineEdit::textChanged, this, &IntelligentMailForm::ShowSerialRange);
    connect(m_okButton, &QPushButton::clicked, this, &IntelligentMailForm::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &IntelligentMailForm::reject);
}

void IntelligentMailForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    CenterForm(this);
    m_barcodeIdBox->setFocus();
}

void IntelligentMailForm::ShowSerialRange() {
    const QString mailerId = m_mailerIdBox->text().trimmed();
    m_serialRange->setText(QStringLiteral("Serial numbers: %1 digits, 0 to %2")
                               .arg(SerialDigits(mailerId))
                               .arg(LargestSerial(mailerId)));
}

bool IntelligentMailForm::Refuse(const QString& problem, QLineEdit* box) {
    if (problem.isEmpty())
        return false;
    InfoBox(problem);
    box->setFocus();
    box->selectAll();
    return true;
}

void IntelligentMailForm::accept() {
    IntelligentMailSettings settings;
    settings.barcodeIdentifier = m_barcodeIdBox->text().trimmed();
    settings.serviceType = m_serviceTypeBox->text().trimmed();
    settings.mailerId = m_mailerIdBox->text().trimmed();
    const QString serial = m_serialBox->text().trimmed();
    settings.deliveryPointRouting = m_deliveryPointCheck->isChecked();
    if (Refuse(CheckBarcodeIdentifier(settings.barcodeIdentifier), m_barcodeIdBox) ||
        Refuse(CheckServiceType(settings.serviceType), m_serviceTypeBox) ||
        Refuse(CheckMailerId(settings.mailerId), m_mailerIdBox) ||
        Refuse(CheckSerialNumber(serial, settings.mailerId), m_serialBox))
        return;
    settings.nextSerial = serial.toLongLong();
    SaveIntelligentMailSettings(settings);
    QDialog::accept();
}
