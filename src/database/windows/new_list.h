#pragma once

#include <QDialog>

class QCheckBox;

// "Make a New Mailing List": makes a new list file, optionally taking over the current
// list's templates, switch names and filters. The new list is not opened.
class NewList : public QDialog {
    Q_OBJECT
public:
    explicit NewList(QWidget* parent = nullptr);

private:
    void OKButtonClick();

    QCheckBox* m_templateCheck;
    QCheckBox* m_namesCheck;
    QCheckBox* m_filterCheck;
};
