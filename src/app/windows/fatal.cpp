#include "app/windows/fatal.h"

#include "app/messages.h"
#include "app/windows/center_form.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

Fatal::Fatal(int number, const QString& message, QWidget* parent) : QDialog(parent) {
    setObjectName("Fatal");
    setWindowTitle("Fatal Error");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto makeLabel = [this](const QString& name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setWordWrap(true);
        return label;
    };
    QLabel* heading =
        makeLabel("HeadingLabel", "An unexpected and fatal error has occurred in this software");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    auto* details = new QFormLayout;
    details->addRow("Error number:", makeLabel("ErrorNumberBox", QString::number(number)));
    details->addRow("Message:", makeLabel("ErrorMessageBox", message));
    layout->addLayout(details);
    layout->addWidget(makeLabel("ExitLabel", "Press any key to exit the program"));
    layout->addWidget(makeLabel("MakerLabel", "Lettrino mailing lists. Your lists are safe in "
                                              "their files; nothing more is written now."));
    setMinimumWidth(420);
}

void Fatal::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        CenterForm(this);
        Ding();
    }
}

void Fatal::keyPressEvent(QKeyEvent* event) {
    event->accept();
    accept();
}

void Fatal::mousePressEvent(QMouseEvent* event) {
    event->accept();
    accept();
}
