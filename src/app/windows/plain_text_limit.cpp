#include "app/windows/plain_text_limit.h"

#include "app/record_forms.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>

PlainTextLimit::PlainTextLimit(QPlainTextEdit* box, int storedLimit)
    : QObject(box), m_box(box), m_limit(storedLimit), m_kept(box->toPlainText()) {
    connect(box, &QPlainTextEdit::textChanged, this, &PlainTextLimit::Changed);
}

void PlainTextLimit::Changed() {
    const QString text = m_box->toPlainText();
    if (StoredLength(text) <= m_limit) {
        m_kept = text;
        return;
    }
    const int caret = m_box->textCursor().position() - int(text.size() - m_kept.size());
    const QSignalBlocker block(m_box);
    m_box->setPlainText(m_kept);
    QTextCursor cursor = m_box->textCursor();
    cursor.setPosition(std::clamp(caret, 0, int(m_kept.size())));
    m_box->setTextCursor(cursor);
}
