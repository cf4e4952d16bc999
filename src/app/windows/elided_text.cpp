#include "app/windows/elided_text.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>

namespace {

constexpr char kEliderName[] = "LabelElider";

// Re-cuts its label's full text whenever the label changes size.
class LabelElider : public QObject {
public:
    explicit LabelElider(QLabel* label) : QObject(label), m_label(label) {
        setObjectName(QLatin1String(kEliderName));
        label->installEventFilter(this);
    }

    void SetPath(const QString& path) {
        m_path = path;
        m_label->setToolTip(path);
        Cut();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_label && event->type() == QEvent::Resize)
            Cut();
        return false;
    }

private:
    void Cut() {
        const QFontMetrics metrics = m_label->fontMetrics();
        const int width = m_label->width();
        const int slash = m_path.lastIndexOf(QLatin1Char('/'));
        const QString name = m_path.mid(slash + 1);
        const int room = width - metrics.horizontalAdvance(name);
        // The folder gives way first; a name wider than the label is cut in its middle.
        if (slash < 0 || room < metrics.horizontalAdvance(QStringLiteral("/\u2026/")))
            m_label->setText(metrics.elidedText(m_path, Qt::ElideMiddle, width));
        else
            m_label->setText(metrics.elidedText(m_path.left(slash + 1), Qt::ElideMiddle, room) +
                             name);
    }

    QLabel* m_label;
    QString m_path;
};

} // namespace

void ShowElided(QAbstractButton* button, const QString& text, int width) {
    const QString shown = button->fontMetrics().elidedText(text, Qt::ElideRight, width);
    button->setText(shown);
    button->setToolTip(shown == text ? QString() : text);
}

void KeepPathElided(QLabel* label, const QString& path) {
    // The elider is a plain object (no meta-object of its own): found by its name.
    QObject* child =
        label->findChild<QObject*>(QLatin1String(kEliderName), Qt::FindDirectChildrenOnly);
    auto* elider = child ? static_cast<LabelElider*>(child) : new LabelElider(label);
    elider->SetPath(path);
}
