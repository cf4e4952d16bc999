#include "printing/paragraph_layout.h"

#include "printing/printer_object.h"
#include "printing/report_text.h"

#include <cmath>
#include <cstring>

namespace {
const QString kIndent = QStringLiteral("    ");

bool IsVowel(QChar c) {
    const char16_t u = c.unicode();
    return u != 0 && u < 128 && std::strchr("AEIOUYaeiouy", int(u)) != nullptr;
}

// Takes the first n characters off rest and returns them.
QString TakeFront(QString& rest, int n) {
    const QString front = rest.left(n);
    rest.remove(0, n);
    return front;
}

// The length of the longest front piece of text narrower than limit (or as wide, with
// orEqual); -1 when not even the empty piece is. A longer piece is never narrower, so the
// length is found by doubling and then halving, measuring only pieces about as long as the
// answer however long the text.
int LongestFrontPiece(const PrinterObject& printer, const QString& text, double limit,
                      bool orEqual) {
    auto fits = [&](int length) {
        const double width = printer.TextWidth(text.left(length));
        return orEqual ? width <= limit : width < limit;
    };
    if (!fits(0))
        return -1;
    const int size = int(text.size());
    int low = 0; // a length that fits
    int high = 1;
    while (high <= size && fits(high)) {
        low = high;
        high *= 2;
    }
    if (high > size) {
        if (fits(size))
            return size;
        high = size;
    }
    while (high - low > 1) { // low fits, high does not
        const int middle = low + (high - low) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle;
    }
    return low;
}

// Runs the wrapping loop of a paragraph at the given font size; print decides whether the
// lines are printed or only counted. The printer's font size is put back afterwards.
int WrapParagraph(PrinterObject& printer, double x, double width, double fontSize,
                  const QString& text, bool hangingIndent, bool print) {
    QString rest = JoinLines(text);
    const double remembered = printer.FontSize();
    printer.SetFontSize(fontSize);
    int lines = 0;
    while (!rest.isEmpty()) {
        const bool indent = hangingIndent && lines > 0;
        const QString line = indent ? kIndent + NextLine(printer, rest, width, kIndent)
                                    : NextLine(printer, rest, width, QString());
        if (print) {
            printer.SetCurrentX(x);
            printer.Print(line);
        }
        ++lines;
    }
    printer.SetFontSize(remembered);
    return lines;
}
} // namespace

void PrintParagraph(PrinterObject& printer, double x, double y, double width, double fontSize,
                    const QString& text, bool hangingIndent) {
    printer.SetCurrentY(y);
    WrapParagraph(printer, x, width, fontSize, text, hangingIndent, true);
}

int CountParagraphLines(PrinterObject& printer, double width, double fontSize, const QString& text,
                        bool hangingIndent) {
    return WrapParagraph(printer, 0, width, fontSize, text, hangingIndent, false);
}

QString NextLine(const PrinterObject& printer, QString& rest, double width, const QString& prefix) {
    const double a = std::lround(width - printer.TextWidth(prefix));
    // The rest fits whole when its longest fitting front piece is all of it (measuring the
    // whole of a long note for every line would cost more than the wrapping).
    if (LongestFrontPiece(printer, rest, a, true) == rest.size())
        return TakeFront(rest, rest.size());
    const int space = rest.indexOf(QLatin1Char(' '));
    if (space < 0 || printer.TextWidth(rest.left(space + 1)) > a)
        return BreakWord(printer, rest, a);
    QString line;
    int next = space;
    while (next >= 0) {
        const QString candidate = line + rest.left(next + 1);
        if (printer.TextWidth(candidate) > a)
            break;
        line = candidate;
        rest.remove(0, next + 1);
        next = rest.indexOf(QLatin1Char(' '));
    }
    return line;
}

QString BreakWord(const PrinterObject& printer, QString& rest, double a) {
    if (rest.isEmpty())
        return QString();
    const int hyphen = rest.indexOf(QLatin1Char('-'));
    if (hyphen >= 0 && printer.TextWidth(rest.left(hyphen + 1)) < a)
        return TakeFront(rest, hyphen + 1);
    const double d = std::lround(a - printer.TextWidth(QStringLiteral("-")));
    if (printer.TextWidth(QStringLiteral("M")) > d)
        return TakeFront(rest, 1);
    // Break before a vowel, scanning from the end: positions k count from 1, and the piece
    // before the vowel at k is its first k - 1 characters. Pieces longer than the longest
    // one narrower than d cannot fit, so the scan passes over them without measuring; a
    // long word then costs a few measurements instead of one per vowel.
    const int fits = LongestFrontPiece(printer, rest, d, false);
    int k = rest.size();
    while (k >= 2) {
        if (!IsVowel(rest.at(k - 1))) {
            --k;
            continue;
        }
        if (k - 1 <= fits)
            return TakeFront(rest, k - 1) + "-";
        k -= 2;
    }
    // No vowel to break before: the longest piece that fits, one character at the least
    // (a character wider than the column still has to go somewhere).
    const int length = qMin(int(rest.size()) - 1, LongestFrontPiece(printer, rest, d, true));
    if (length <= 0)
        return TakeFront(rest, 1);
    return TakeFront(rest, length) + "-";
}
