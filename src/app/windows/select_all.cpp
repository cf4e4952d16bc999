#include "app/windows/select_all.h"

#include <QLineEdit>
#include <QPlainTextEdit>

void SelectAll(QLineEdit* box) {
    box->setSelection(0, int(box->text().size()));
}

void SelectAll(QPlainTextEdit* box) {
    box->selectAll();
}
