#include "app/windows/modal_window.h"

#include "app/windows/center_form.h"

#include <QCloseEvent>
#include <QEventLoop>

ModalWindow::ModalWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowFlag(Qt::Window);
    setWindowModality(Qt::ApplicationModal);
}

void ModalWindow::Exec() {
    show();
    CenterForm(this);
    QEventLoop loop;
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
}

void ModalWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted() && m_loop)
        m_loop->quit();
}
