#include "filters/text_line_reader.h"

namespace {

constexpr qint64 kChunk = 1 << 16;

// Checks a run of bytes as UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF. A sequence cut at the end of the run is carried over.
class Utf8Check {
public:
    bool Feed(const QByteArray& bytes) {
        for (char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            if (m_pending > 0) {
                if (b < m_low || b > m_high)
                    return m_valid = false;
                m_low = 0x80;
                m_high = 0xBF;
                --m_pending;
            } else if (b >= 0x80) {
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
                    return m_valid = false;
                }
            }
        }
        return m_valid;
    }
    bool Valid() const { return m_valid && m_pending == 0; }

private:
    int m_pending = 0;
    unsigned char m_low = 0x80; // the range of the next continuation byte
    unsigned char m_high = 0xBF;
    bool m_valid = true;
};

} // namespace

QString TextLineReader::FromWindows1252(const QByteArray& bytes) {
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

TextLineReader::TextLineReader(const QString& path) : m_file(path) {
    if (!m_file.open(QIODevice::ReadOnly))
        return;
    m_size = m_file.size();
    // One pass over the bytes tells the encoding and the line ends.
    Utf8Check check;
    bool sawCr = false;
    while (!m_file.atEnd()) {
        const QByteArray chunk = m_file.read(kChunk);
        if (chunk.isEmpty())
            break;
        sawCr = sawCr || chunk.contains('\r');
        if (m_utf8 && !check.Feed(chunk))
            m_utf8 = false;
    }
    m_utf8 = m_utf8 && check.Valid();
    m_crlf = sawCr;
    m_file.seek(0);
    m_open = true;
    // A byte-order mark is never data, whatever the rest of the file holds.
    Fill();
    if (m_buffer.startsWith("\xEF\xBB\xBF")) {
        m_start = 3;
        m_consumed = 3;
    }
}

bool TextLineReader::Fill() {
    if (m_eof)
        return false;
    const QByteArray chunk = m_file.read(kChunk);
    if (chunk.isEmpty()) {
        m_eof = true;
        return false;
    }
    m_buffer = m_buffer.mid(m_start) + chunk;
    m_start = 0;
    return true;
}

bool TextLineReader::ReadLine(QString& line) {
    if (!m_open)
        return false;
    const QByteArray end = m_crlf ? QByteArray("\r\n") : QByteArray("\n");
    int found = m_buffer.indexOf(end, m_start);
    while (found < 0 && Fill())
        found = m_buffer.indexOf(end, m_start);
    QByteArray bytes;
    if (found >= 0) {
        bytes = m_buffer.mid(m_start, found - m_start);
        m_consumed += found + end.size() - m_start;
        m_start = found + end.size();
    } else {
        if (m_start >= m_buffer.size())
            return false; // the end of the file, after a last line end
        bytes = m_buffer.mid(m_start);
        m_consumed += bytes.size();
        m_start = m_buffer.size();
    }
    line = m_utf8 ? QString::fromUtf8(bytes) : FromWindows1252(bytes);
    return true;
}
