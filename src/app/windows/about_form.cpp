#include "app/windows/about_form.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/system_information.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(false);
    setWindowTitle(QStringLiteral("About ") + ApplicationTitle());

    m_picIcon = new QLabel(this);
    m_picIcon->setObjectName(QStringLiteral("picIcon"));
    m_picIcon->setPixmap(QIcon(QStringLiteral(":/icons/lettrino.svg")).pixmap(64, 64));
    m_picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_lblTitle = MakeLabel(this, "lblTitle", ApplicationTitle());
    QFont titleFont = m_lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    m_lblVersion = MakeLabel(this, "lblVersion", VersionText());
    m_lblDescription = MakeLabel(
        this, "lblDescription",
        QStringLiteral("Keeps postal mailing lists: address records with templates and "
                       "switches, saved filters, address labels with POSTNET barcodes, list "
                       "reports, and import and export of delimited text."));
    m_lblDisclaimer = MakeLabel(
        this, "lblDisclaimer",
        QStringLiteral("This program is provided as is, without warranty of any kind. You use "
                       "it at your own risk; keep backup copies of your mailing lists."));
    m_lblDisclaimer->setFrameShape(QFrame::StyledPanel);
    m_lblDisclaimer->setMargin(6);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    m_cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_picIcon, 0, 0, 3, 1);
    grid->addWidget(m_lblTitle, 0, 1);
    grid->addWidget(m_lblVersion, 1, 1);
    grid->addWidget(m_lblDescription, 2, 1);
    grid->addWidget(m_lblDisclaimer, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdSysInfo);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(460);

    connect(m_cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

QString frmAbout::VersionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(LETTRINO_VERSION_MAJOR)
        .arg(LETTRINO_VERSION_MINOR)
        .arg(LETTRINO_VERSION_REVISION);
}

void frmAbout::StartSysInfo() {
    if (!StartSystemInformation())
        Dialogs::Current().ShowMessage(
            QStringLiteral("System Information Is Unavailable At This Time"), ApplicationTitle(),
            MessageIcon::None);
}
