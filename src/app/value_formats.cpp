#include "app/value_formats.h"

namespace {
bool g_international = false;

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString DigitsOnly(const QString& text, int limit) {
    QString digits;
    for (QChar c : text) {
        if (digits.size() >= limit)
            break;
        if (IsDigit(c))
            digits.append(c);
    }
    return digits;
}

// The number with leading zeros to at least width digits.
void AppendPadded(QString& out, qint64 value, int width) {
    const QString number = QString::number(value);
    for (qsizetype i = number.size(); i < width; ++i)
        out += QLatin1Char('0');
    out += number;
}

constexpr int kSwitchCount = 16;
} // namespace

bool International() {
    return g_international;
}
void SetInternational(bool on) {
    g_international = on;
}

qint64 LeadingNumber(QStringView text) {
    qint64 value = 0;
    for (QChar c : text.trimmed()) {
        if (!IsDigit(c))
            break;
        if (value > 100000000000000000LL)
            break; // far beyond any phone or zip; keeps the arithmetic from overflowing
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QString ReverseName(const QString& name, bool keepAmpersands) {
    QString result = name;
    const qsizetype semicolon = name.indexOf(QLatin1Char(';'));
    if (semicolon >= 0) {
        const QStringView first = QStringView(name).mid(semicolon + 1).trimmed();
        const QStringView last = QStringView(name).left(semicolon).trimmed();
        result = QString();
        result.reserve(first.size() + 1 + last.size());
        result.append(first).append(QLatin1Char(' ')).append(last);
    }
    if (!keepAmpersands)
        result.replace(QLatin1String("&"), QLatin1String("&&"));
    return result;
}

QString PhoneDigits(const QString& text) {
    if (International())
        return text;
    return DigitsOnly(text, 10).rightJustified(10, QLatin1Char('0'));
}

QString FormatPhone(const QString& stored) {
    // International phones are shown as typed ("+44 20 7946 0958"); only the stored "no
    // phone" of the national form, all zeros, shows as nothing.
    if (International())
        return stored.count(QLatin1Char('0')) == stored.size() ? QString() : stored;
    if (LeadingNumber(stored) == 0)
        return QString();
    const QStringView digits(stored);
    QString result;
    result.reserve(14);
    if (const qint64 area = LeadingNumber(digits.left(3)); area > 0) {
        result += QLatin1Char('(');
        AppendPadded(result, area, 3);
        result += QLatin1String(") ");
    }
    AppendPadded(result, LeadingNumber(digits.mid(3, 3)), 3);
    result += QLatin1Char('-');
    AppendPadded(result, LeadingNumber(digits.right(4)), 4);
    return result;
}

QString ZipDigits(const QString& text, bool padWithNines) {
    if (International())
        return text.trimmed().left(10);
    return DigitsOnly(text, 9).leftJustified(9, QLatin1Char(padWithNines ? '9' : '0'));
}

QString FormatZip(const QString& stored) {
    if (International())
        return stored;
    if (LeadingNumber(stored) == 0)
        return QString();
    const QStringView digits(stored);
    const QStringView plus4 = digits.mid(5, 4);
    const bool hasPlus4 = LeadingNumber(plus4) > 0;
    QString result;
    result.reserve(10);
    if (LeadingNumber(digits.left(5)) != 0)
        result.append(digits.left(5));
    if (hasPlus4)
        result.append(QLatin1Char('-')).append(plus4);
    return result;
}

QString SequenceName(int code) {
    static const char* const names[] = {"Name",     "City",           "State",
                                        "Zip Code", "E-Mail Address", "Phone Number",
                                        "Code",     "Carrier Route",  "Date Edited"};
    if (code < 0 || code > 8)
        return QString();
    return QString::fromLatin1(names[code]);
}

QString SwitchesOr(const QString& a, const QString& b) {
    QString result = a;
    for (int i = 0; i < kSwitchCount && i < result.size(); ++i) {
        if (a.at(i) == QLatin1Char('1') || (i < b.size() && b.at(i) == QLatin1Char('1')))
            result[i] = QLatin1Char('1');
    }
    return result;
}

QString SwitchesAnd(const QString& a, const QString& b) {
    QString result = a;
    for (int i = 0; i < kSwitchCount && i < result.size(); ++i) {
        if (a.at(i) == QLatin1Char('0') || (i < b.size() && b.at(i) == QLatin1Char('0')))
            result[i] = QLatin1Char('0');
    }
    return result;
}

QString SwitchesNot(const QString& a) {
    QString result = a;
    for (int i = 0; i < result.size(); ++i)
        result[i] = a.at(i) == QLatin1Char('1') ? QLatin1Char('0') : QLatin1Char('1');
    return result;
}

QString StripTrailingLineBreak(const QString& text) {
    if (text.endsWith(QLatin1String("\r\n")))
        return text.left(text.size() - 2);
    return text;
}
