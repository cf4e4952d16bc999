#include "printing/windows/get_printer.h"

#include "app/messages.h"
#include "app/windows/busy_pointer.h"
#include "app/windows/center_form.h"
#include "app/windows/help_window.h"
#include "printing/printer_object.h"
#include "printing/printer_settings.h"
#include "printing/printer_values.h"
#include "printing/printers.h"
#include "printing/test_page.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
// A printer name the platform reports that is no printer to print on.
const QString kRenderingSubsystem = QStringLiteral("Rendering Subsystem");

QString CurrentText(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item ? item->text() : QString();
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}
} // namespace

GetPrinter::GetPrinter(QWidget* parent)
    : QDialog(parent), m_printerList(new QListWidget(this)), m_fontList(new QListWidget(this)),
      m_pageLimitBox(new QLineEdit(this)), m_okButton(new QPushButton("&OK", this)),
      m_cancelButton(new QPushButton("&Cancel", this)),
      m_testPageButton(new QPushButton("&Print Test Page", this)) {
    setObjectName("GetPrinter");
    setWindowTitle("Printer Setup");
    m_printerList->setObjectName("PrinterList");
    m_fontList->setObjectName("FontList");
    m_pageLimitBox->setObjectName("PageLimitBox");
    m_okButton->setObjectName("OKButton");
    m_cancelButton->setObjectName("CancelButton");
    m_testPageButton->setObjectName("TestPageButton");
    m_okButton->setDefault(true);
    m_pageLimitBox->setMaximumWidth(m_pageLimitBox->fontMetrics().horizontalAdvance("0") * 10);
    m_pageLimitBox->setToolTip("Twips at the bottom of each report page that stay empty");

    auto* grid = new QGridLayout(this);
    grid->addWidget(Caption("Using Printer", m_printerList, this), 0, 0);
    grid->addWidget(Caption("Using Font", m_fontList, this), 0, 1);
    grid->addWidget(m_printerList, 1, 0);
    grid->addWidget(m_fontList, 1, 1);
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(Caption("Page Limit:", m_pageLimitBox, this));
    limitRow->addWidget(m_pageLimitBox);
    limitRow->addWidget(new QLabel("twips", this));
    limitRow->addStretch();
    grid->addLayout(limitRow, 2, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_testPageButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    resize(560, 360);

    connect(m_printerList, &QListWidget::currentRowChanged, this, &GetPrinter::PrinterClicked);
    connect(m_fontList, &QListWidget::currentRowChanged, this, &GetPrinter::FontClicked);
    connect(m_okButton, &QPushButton::clicked, this, &GetPrinter::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &GetPrinter::reject);
    connect(m_testPageButton, &QPushButton::clicked, this, &GetPrinter::PrintTestPageClicked);
    AddHelpKey(this, kHelpPrinter);
}

GetPrinter::~GetPrinter() = default;

QString GetPrinter::Setting(const QString& key, const QString& fallback) const {
    return GetPrinterSetting(m_projectName, key, fallback);
}

void GetPrinter::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterForm(this);
    if (!m_opened) {
        m_opened = true;
        Open();
    }
}

void GetPrinter::Open() {
    BusyPointer busy;
    PrinterObject& current = Printers::Current();
    m_openingPrinter = current.DeviceName();
    m_openingFont = current.FontName();
    QString name = Setting("PrinterName").trimmed();
    if (name.isEmpty())
        name = m_openingPrinter;
    for (const QString& device : Printers::DeviceNames())
        if (device != kRenderingSubsystem)
            m_printerList->addItem(device);
    // Shows the stored printer without switching to it yet (the list is not ready).
    const QList<QListWidgetItem*> stored = m_printerList->findItems(name, Qt::MatchExactly);
    if (!stored.isEmpty())
        m_printerList->setCurrentItem(stored.first());
    FillFonts();
    m_pageLimitBox->setText(Setting("PageLimit", QString::number(kDefaultPageLimit)));
    m_ready = true;
}

void GetPrinter::FillFonts() {
    m_fontList->clear();
    m_fontList->addItems(Printers::Current().Fonts());
    QString wanted = Setting("FontName").trimmed();
    if (wanted.isEmpty())
        wanted = m_openingFont;
    // The wanted font is selected, or the last one when the printer does not have it;
    // selecting an entry gives its font to the printer.
    const QList<QListWidgetItem*> found = m_fontList->findItems(wanted, Qt::MatchExactly);
    if (!found.isEmpty())
        m_fontList->setCurrentItem(found.first());
    else if (m_fontList->count() > 0)
        m_fontList->setCurrentRow(m_fontList->count() - 1);
}

void GetPrinter::PrinterClicked() {
    if (!m_ready)
        return;
    Printers::Select(CurrentText(m_printerList).trimmed());
    FillFonts();
}

void GetPrinter::FontClicked(int row) {
    if (row >= 0)
        Printers::Current().SetFontName(m_fontList->item(row)->text());
}

void GetPrinter::PrintTestPageClicked() {
    BusyPointer busy;
    PrintTestPage(Printers::Current());
}

void GetPrinter::accept() {
    const QString printer = CurrentText(m_printerList);
    const QString font = CurrentText(m_fontList);
    SavePrinterSetting(m_projectName, "PageLimit", m_pageLimitBox->text());
    SavePrinterSetting(m_projectName, "PrinterName", printer);
    SavePrinterSetting(m_projectName, "FontName", font);
    Printers::Select(printer);
    if (!font.trimmed().isEmpty())
        SetPrinterFontName(font.trimmed());
    SetPageLimit(PageLimitValue(m_pageLimitBox->text()));
    QDialog::accept();
}

void GetPrinter::reject() {
    if (m_opened) {
        Printers::Select(m_openingPrinter);
        Printers::Current().SetFontName(m_openingFont);
    }
    QDialog::reject();
}
