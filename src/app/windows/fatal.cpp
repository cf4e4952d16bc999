#include "app/windows/fatal.h"

#include "app/messages.h"
#include "app/windows/center_form.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

Fatal::Fatal(int number, const QString& message, QWidget* parent) : QDialog(parent) {
    setObjectName("Fatal");
    setWindowTitle("Fatal Error");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto addLabel = [&](const QString& name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setWordWrap(true);
        layout->addWidget(label);
        return label;
    };
    QLabel* heading =
        addLabel("HeadingLabel", "An unexpected and fatal error has occurred in this software");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    addLabel("ErrorNumberBox", QString::number(number));
    addLabel("ErrorMessageBox", message);
    addLabel("ExitLabel", "Press any key to exit the program");
    addLabel("MakerLabel", "Lettrino, by the Lettrino developers. Your lists are kept in "
                           "their files; nothing more is written now.");
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
