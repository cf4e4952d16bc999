#pragma once

#include <QDialog>

class QLabel;

// The "Fatal Error" window: shows an error number and message; any key or click closes it.
class Fatal : public QDialog {
    Q_OBJECT
public:
    Fatal(int number, const QString& message, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_centred = false;
};
