#pragma once

#include <QMainWindow>

class QEventLoop;

// A window with its own menus and toolbar that the main window opens modally: Exec()
// shows it application-modal and returns when it closes.
class ModalWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ModalWindow(QWidget* parent = nullptr);
    void Exec();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QEventLoop* m_loop = nullptr;
};
