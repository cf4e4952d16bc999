#include "app/windows/validate_date_box.h"

#include "app/date_text.h"
#include "app/messages.h"
#include "app/windows/select_all.h"

#include <QDate>
#include <QLineEdit>

bool ValidateDateBox(QLineEdit* box, bool allowEmpty) {
    const QString text = box->text().trimmed();
    if (text.isEmpty() && allowEmpty)
        return true;
    const QDate date = ReadDateText(text);
    if (date.isValid()) {
        box->setText(MediumDate(date));
        return true;
    }
    InfoBox(QStringLiteral("Invalid Date. Try again."));
    box->setFocus();
    SelectAll(box);
    return false;
}
