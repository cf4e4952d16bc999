#include "printing/windows/delivery_point.h"

#include "app/messages.h"
#include "app/windows/center_form.h"
#include "app/windows/help_window.h"
#include "database/list_core.h"
#include "printing/delivery_point_values.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

DeliveryPoint::DeliveryPoint(QWidget* parent)
    : QDialog(parent), m_zipBox(new QLineEdit(this)), m_dpBox(new QLineEdit(this)),
      m_cdBox(new QLineEdit(this)), m_overrideBox(new QLineEdit(this)),
      m_okButton(new QPushButton("OK", this)), m_cancelButton(new QPushButton("Cancel", this)) {
    AddHelpKey(this, kHelpDeliveryPoint);
    setObjectName("DeliveryPoint");
    setWindowTitle("Delivery Point Digits");
    m_zipBox->setObjectName("ZipBox");
    m_dpBox->setObjectName("DPBox");
    m_cdBox->setObjectName("CDBox");
    m_overrideBox->setObjectName("OverrideBox");
    m_okButton->setObjectName("OKButton");
    m_cancelButton->setObjectName("CancelButton");
    for (QLineEdit* shown : {m_zipBox, m_dpBox, m_cdBox}) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::NoFocus);
    }
    m_overrideBox->setToolTip("Two digits that replace the ones taken from the street "
                              "address; empty to use the address again");
    m_okButton->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow("Zip Code", m_zipBox);
    form->addRow("Delivery Point Digits", m_dpBox);
    form->addRow("Check Digit", m_cdBox);
    form->addRow("Delivery Point Digits Override", m_overrideBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_okButton, &QPushButton::clicked, this, &DeliveryPoint::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &DeliveryPoint::reject);
}

DeliveryPoint::~DeliveryPoint() = default;

void DeliveryPoint::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    CenterForm(this);
    ShowRecord();
}

void DeliveryPoint::ShowRecord() {
    m_list = std::make_unique<ListCore>();
    m_list->SetID(m_record);
    if (m_list->ID() != m_record)
        return; // the store has said that there is no such record
    const QString dpOverride = m_list->DPOverride();
    const DeliveryPointValues values =
        ComputeDeliveryPoint(m_list->Zip(), m_list->Address(), dpOverride);
    m_zipBox->setText(values.zip);
    m_dpBox->setText(values.deliveryPoint);
    m_cdBox->setText(values.checkDigit);
    m_overrideBox->setText(dpOverride);
    m_overrideBox->setFocus();
    m_overrideBox->selectAll();
}

void DeliveryPoint::accept() {
    if (!m_list || m_list->ID() != m_record) {
        QDialog::reject();
        return;
    }
    const QString dpOverride = CleanDeliveryPointOverride(m_overrideBox->text());
    if (!ValidDeliveryPointOverride(dpOverride)) {
        InfoBox(InvalidOverrideMessage());
        m_overrideBox->setFocus();
        m_overrideBox->selectAll();
        return;
    }
    m_list->SetDPOverride(dpOverride);
    QDialog::accept();
}
