#include "printing/postnet.h"

#include "app/value_formats.h"

namespace {

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The character at a position counted from 1.
QChar At(const QString& text, int position) {
    return text.at(position - 1);
}

} // namespace

QChar CheckDigit(const QString& digits) {
    int sum = 0;
    for (QChar c : digits)
        if (IsDigit(c))
            sum += c.unicode() - '0';
    const int t = sum % 10;
    return QLatin1Char(char('0' + (t == 0 ? 0 : 10 - t)));
}

int FirstDigitAfter(const QString& text, int n) {
    if (n >= text.size())
        return -1;
    int p = n;
    while (p <= text.size() && At(text, p) == QLatin1Char(' '))
        ++p;
    if (p > text.size())
        return -1;
    return IsDigit(At(text, p)) ? p : 0;
}

int NumberAfterKeyword(const QString& text, const QString& keyword) {
    if (!text.contains(keyword, Qt::CaseInsensitive))
        return 0;
    if (text.startsWith(keyword, Qt::CaseInsensitive)) {
        const int q = FirstDigitAfter(text, keyword.size() + 1);
        if (q > 0)
            return q;
    }
    const QString spaced = " " + keyword;
    for (int hit = text.indexOf(spaced, 0, Qt::CaseInsensitive); hit >= 0;) {
        const int n = hit + 1 + keyword.size() + 1; // just after the keyword, counted from 1
        const int q = FirstDigitAfter(text, n);
        if (q == -1)
            return 0;
        if (q > 0)
            return q;
        hit = text.indexOf(spaced, n - 1, Qt::CaseInsensitive);
    }
    return 0;
}

QString TwoDigits(const QString& text, int p) {
    const int length = text.size();
    if (p > length)
        return QStringLiteral("99");
    if (p == length)
        return QStringLiteral("0") + At(text, p);
    while (p <= length && IsDigit(At(text, p)))
        ++p;
    if (p < length) {
        const int slash = text.indexOf(QLatin1Char('/'), p - 1);
        if (slash >= 0) {
            for (int i = slash + 1; i < length; ++i)
                if (IsDigit(text.at(i)))
                    return QStringLiteral("99"); // a fraction after the number: "12 1/2"
        }
    }
    if (p - 1 >= 2 && IsDigit(At(text, p - 2)))
        return QString(At(text, p - 2)) + At(text, p - 1);
    return QStringLiteral("0") + At(text, p - 1);
}

QString DeliveryPointDigits(const QString& address) {
    QString text = address;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    static const char* const keywords[] = {"APT", "BLDG", "DEPT", "FL", "LOT", "PIER", "RM",
                                           "STE", "TRLR", "UNIT", "RR", "HC",  "BOX"};
    for (const char* keyword : keywords) {
        const int p = NumberAfterKeyword(text, QLatin1String(keyword));
        if (p > 0)
            return TwoDigits(text, p);
    }
    for (int p = 1; p <= text.size(); ++p)
        if (IsDigit(At(text, p)))
            return TwoDigits(text, p);
    return QStringLiteral("99");
}

std::array<bool, 5> PostnetBars(int digit) {
    // Two full bars per digit; the weights 7, 4, 2, 1, 0 of the full bars add up to the
    // digit, and 11 (the bars for 7 and 4) stands for 0.
    static const std::array<std::array<bool, 5>, 10> table = {{
        {true, true, false, false, false}, // 0
        {false, false, false, true, true}, // 1
        {false, false, true, false, true}, // 2
        {false, false, true, true, false}, // 3
        {false, true, false, false, true}, // 4
        {false, true, false, true, false}, // 5
        {false, true, true, false, false}, // 6
        {true, false, false, false, true}, // 7
        {true, false, false, true, false}, // 8
        {true, false, true, false, false}, // 9
    }};
    return table.at(size_t(qBound(0, digit, 9)));
}

QString Zip5BarcodeDigits(const QString& zip) {
    return LeadingNumber(zip) != 0 ? zip.left(5) : QString();
}

QString Zip9BarcodeDigits(const QString& zip) {
    if (LeadingNumber(zip) == 0)
        return QString();
    return LeadingNumber(zip.right(4)) != 0 ? zip : zip.left(5);
}

QString DeliveryPointOf(const QString& address, const QString& dpOverride) {
    return dpOverride.isEmpty() ? DeliveryPointDigits(address) : dpOverride;
}

QString DeliveryPointBarcodeDigits(const QString& zip, const QString& address,
                                   const QString& dpOverride) {
    if (LeadingNumber(zip.right(4)) == 0)
        return Zip5BarcodeDigits(zip);
    return zip + DeliveryPointOf(address, dpOverride);
}

QString BarcodePreviewText(const QString& s) {
    return s.mid(0, 5) + "-" + s.mid(5, 4) + " " + s.mid(9, 2) + " " + s.right(1);
}
