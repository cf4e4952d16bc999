#pragma once

#include <QObject>
#include <QString>

class QPlainTextEdit;

// Keeps a multi-line box within the number of characters the list file holds for it (line
// breaks counted as stored, two characters each): typing or pasting past the limit is
// refused and the caret goes back to where it was. Owned by the box.
class PlainTextLimit : public QObject {
    Q_OBJECT
public:
    PlainTextLimit(QPlainTextEdit* box, int storedLimit);

private:
    void Changed();

    QPlainTextEdit* m_box;
    int m_limit;
    QString m_kept;
};
