#include "app/record_forms.h"

QString StoredLines(const QString& shown) {
    QString stored = ShownLines(shown);
    stored.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return stored;
}

QString ShownLines(const QString& stored) {
    QString shown = stored;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

int StoredLength(const QString& shown) {
    return int(StoredLines(shown).size());
}

QString StoredNotes(const QString& shown) {
    return shown.isEmpty() ? QStringLiteral(" ") : StoredLines(shown);
}

bool SwitchIsSet(const QString& switches, int index) {
    return index >= 0 && index < switches.size() && switches.at(index).digitValue() > 0;
}

QString SwitchString(const SwitchStates& states) {
    QString switches(int(states.size()), QLatin1Char('0'));
    for (size_t i = 0; i < states.size(); ++i)
        if (states[i])
            switches[int(i)] = QLatin1Char('1');
    return switches;
}
