#include "database/jet_dialect.h"

#include <QDate>
#include <QRegularExpression>

QString RewriteJetDateLiterals(const QString& sql) {
    if (!sql.contains(QLatin1Char('#')))
        return sql;
    static const QRegularExpression literal(R"(#(\d{1,2})/(\d{1,2})/(\d{4})#)");
    QString out;
    out.reserve(sql.size());
    int i = 0;
    const int n = sql.size();
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            // Copy a string literal (doubled quotes stay inside) or a bracketed name whole.
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            int j = i + 1;
            while (j < n) {
                if (sql.at(j) == close) {
                    if (close != QLatin1Char(']') && j + 1 < n && sql.at(j + 1) == close) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const int end = qMin(j + 1, n);
            out += QStringView(sql).mid(i, end - i);
            i = end;
            continue;
        }
        if (c == QLatin1Char('#')) {
            const QRegularExpressionMatch m =
                literal.match(sql, i, QRegularExpression::NormalMatch,
                              QRegularExpression::AnchorAtOffsetMatchOption);
            if (m.hasMatch()) {
                const QDate date(m.captured(3).toInt(), m.captured(1).toInt(),
                                 m.captured(2).toInt());
                if (date.isValid()) {
                    out += QLatin1Char('\'') + date.toString(Qt::ISODate) + QLatin1Char('\'');
                    i += m.capturedLength();
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    return out;
}

namespace {

// Decodes one UTF-8 character and advances p. A byte that does not start a valid sequence
// stands for itself; so does the first byte of an overlong form, which would otherwise let
// a pattern hide a wildcard ("\xC0\xAA" for "*").
char32_t NextChar(const unsigned char*& p) {
    const unsigned char b = *p++;
    if (b < 0x80)
        return b;
    int extra = 0;
    char32_t c = 0;
    char32_t least = 0; // the smallest character that needs this many bytes
    if ((b & 0xE0) == 0xC0) {
        extra = 1;
        c = b & 0x1F;
        least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2;
        c = b & 0x0F;
        least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3;
        c = b & 0x07;
        least = 0x10000;
    } else {
        return b;
    }
    const unsigned char* q = p;
    for (int k = 0; k < extra; ++k) {
        if ((*q & 0xC0) != 0x80)
            return b;
        c = (c << 6) | (*q++ & 0x3F);
    }
    if (c < least)
        return b;
    p = q;
    return c;
}

char32_t Fold(char32_t c) {
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

// Matches one pattern element at p against c. On return p stands after the element.
bool MatchOne(const unsigned char*& p, char32_t c) {
    const unsigned char* start = p;
    const char32_t pc = NextChar(p);
    if (pc == '?')
        return true;
    if (pc == '#')
        return c >= '0' && c <= '9';
    if (pc != '[')
        return Fold(pc) == Fold(c);
    // A set: find its closing bracket first; without one, "[" is a plain character.
    const unsigned char* q = p;
    bool negate = false;
    if (*q == '!') {
        negate = true;
        ++q;
    }
    const unsigned char* body = q;
    if (*q == ']')
        ++q; // "[]" and "[!]": an empty set
    else
        while (*q && *q != ']')
            ++q;
    if (*q != ']') {
        p = start + 1;
        return c == '[';
    }
    const unsigned char* end = q;
    bool found = false;
    const unsigned char* r = body;
    while (r < end) {
        const char32_t low = NextChar(r);
        if (*r == '-' && r + 1 < end) {
            ++r;
            const char32_t high = NextChar(r);
            if (Fold(c) >= Fold(low) && Fold(c) <= Fold(high))
                found = true;
        } else if (Fold(low) == Fold(c)) {
            found = true;
        }
    }
    p = end + 1;
    return found != negate;
}

} // namespace

bool JetLikeMatch(const char* pattern, const char* text) {
    auto p = reinterpret_cast<const unsigned char*>(pattern);
    auto t = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* starP = nullptr; // the pattern after the last "*"
    const unsigned char* starT = nullptr; // where that "*" last resumed in the text
    while (*t) {
        if (*p == '*') {
            while (*p == '*')
                ++p;
            starP = p;
            starT = t;
            continue;
        }
        if (*p) {
            const unsigned char* tNext = t;
            const char32_t c = NextChar(tNext);
            const unsigned char* pNext = p;
            if (MatchOne(pNext, c)) {
                p = pNext;
                t = tNext;
                continue;
            }
        }
        if (!starP)
            return false;
        // Let the last "*" swallow one more character and try again from there.
        NextChar(starT);
        t = starT;
        p = starP;
    }
    while (*p == '*')
        ++p;
    return *p == 0;
}
