#include "filters/text_encoding.h"

#include <QIODevice>
#include <cstdint>
#include <cstring>

namespace {

constexpr qint64 kChunk = 1 << 16;

// Eight bytes at a time: most of a large file is plain ASCII text, which needs no look at
// each byte.
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::uint64_t kOnes = 0x0101010101010101ULL;

std::uint64_t Word(const char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// True when all eight bytes are ASCII.
bool AllAscii(std::uint64_t word) {
    return (word & kHighBits) == 0;
}

// True when all eight bytes are printable ASCII (0x20 to 0x7E): no line end, no control.
bool AllPrintable(std::uint64_t word) {
    // Without a byte below 0x20 nothing borrows, and no byte's high bit is set.
    if (((word | (word - 0x20 * kOnes)) & kHighBits) != 0)
        return false;
    const std::uint64_t del = word ^ (0x7F * kOnes); // a zero byte where 0x7F stood
    return ((del - kOnes) & ~del & kHighBits) == 0;
}

// C0 control characters that no text line holds: all but tab, line feed, form feed,
// carriage return and the end-of-file mark (26) that older programs wrote.
bool IsStrayControl(unsigned char b) {
    return (b < 0x20 && b != '\t' && b != '\n' && b != '\f' && b != '\r' && b != 26) || b == 0x7F;
}

} // namespace

void Utf8Check::Feed(QByteArrayView bytes) {
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (m_pending == 0 && i + 8 <= size && AllAscii(Word(data + i))) {
            i += 7;
            continue;
        }
        const auto b = static_cast<unsigned char>(data[i]);
        if (m_pending > 0) {
            if (b >= m_low && b <= m_high) {
                m_low = 0x80;
                m_high = 0xBF;
                if (--m_pending == 0)
                    ++m_multiByte;
                continue;
            }
            // The sequence broke off: its lead byte was bad, and this byte starts afresh.
            ++m_bad;
            m_pending = 0;
        }
        if (b < 0x80)
            continue;
        m_low = 0x80;
        m_high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            m_pending = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            m_pending = 2;
            if (b == 0xE0)
                m_low = 0xA0; // shorter forms are overlong
            else if (b == 0xED)
                m_high = 0x9F; // surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            m_pending = 3;
            if (b == 0xF0)
                m_low = 0x90;
            else if (b == 0xF4)
                m_high = 0x8F;
        } else {
            ++m_bad;
        }
    }
}

void Utf8Check::Finish() {
    if (m_pending > 0)
        ++m_bad;
    m_pending = 0;
}

bool IsValidUtf8(QByteArrayView bytes) {
    Utf8Check check;
    check.Feed(bytes);
    check.Finish();
    return check.BadBytes() == 0;
}

QString FromWindows1252(QByteArrayView bytes) {
    // The bytes 0x80-0x9F that differ from Latin-1; 0 where the code page has no character.
    static const char16_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        const char16_t mapped = b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b);
        *out++ = QChar(mapped ? mapped : char16_t(b));
    }
    return text;
}

TextSurvey SurveyText(QIODevice& device) {
    TextSurvey survey;
    Utf8Check check;
    bool lineHasText = false, lineHasControl = false;
    bool first = true;
    while (true) {
        const QByteArray chunk = device.read(kChunk);
        if (chunk.isEmpty())
            break;
        if (first && chunk.startsWith("\xEF\xBB\xBF"))
            survey.bom = true;
        first = false;
        survey.size += chunk.size();
        check.Feed(chunk);
        const char* const data = chunk.constData();
        const qsizetype size = chunk.size();
        for (qsizetype i = 0; i < size; ++i) {
            if (i + 8 <= size && AllPrintable(Word(data + i))) {
                lineHasText = true;
                i += 7;
                continue;
            }
            const auto b = static_cast<unsigned char>(data[i]);
            if (b == '\n' || b == '\r') {
                (b == '\r' ? survey.sawCr : survey.sawLf) = true;
                survey.lines += lineHasText;
                survey.controlLines += lineHasText && lineHasControl;
                lineHasText = lineHasControl = false;
                continue;
            }
            lineHasText = true;
            if (b == 0)
                survey.nul = true;
            if (IsStrayControl(b))
                lineHasControl = true;
        }
    }
    survey.lines += lineHasText;
    survey.controlLines += lineHasText && lineHasControl;
    check.Finish();
    survey.badBytes = check.BadBytes();
    survey.utf8 = survey.bom || check.BadBytes() == 0 || check.Characters() > check.BadBytes();
    if (!survey.utf8)
        survey.badBytes = 0;
    return survey;
}

QString DecodeText(const TextSurvey& survey, QByteArrayView bytes, bool* badBytes) {
    if (!survey.utf8)
        return FromWindows1252(bytes);
    if (badBytes && survey.badBytes > 0)
        *badBytes = !IsValidUtf8(bytes);
    return QString::fromUtf8(bytes);
}
