#include "filters/utf16_text_copy.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

namespace {

constexpr qint64 kChunk = 1 << 16;
// Never the start of a UTF-8 character: what the readers take as one damaged byte.
constexpr char kNotUtf8 = char(0xFF);

// Reads the 16-bit units of the file in its byte order and writes them as UTF-8.
class Transcoder {
public:
    explicit Transcoder(bool bigEndian) : m_bigEndian(bigEndian) {}

    // Appends the UTF-8 of the bytes (an odd byte is kept for the next piece).
    void Feed(QByteArrayView bytes, QByteArray& out) {
        for (char ch : bytes) {
            if (!m_haveByte) {
                m_byte = static_cast<unsigned char>(ch);
                m_haveByte = true;
                continue;
            }
            m_haveByte = false;
            const auto other = static_cast<unsigned char>(ch);
            Unit(char16_t(m_bigEndian ? (m_byte << 8) | other : (other << 8) | m_byte), out);
        }
    }

    // Ends the text: a high surrogate or an odd byte left over is no character.
    void Finish(QByteArray& out) {
        if (m_high != 0 || m_haveByte)
            out += kNotUtf8;
        m_high = 0;
        m_haveByte = false;
    }

private:
    void Unit(char16_t unit, QByteArray& out) {
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (m_high != 0)
                out += kNotUtf8;
            m_high = unit;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (m_high == 0) {
                out += kNotUtf8;
                return;
            }
            Code(0x10000 + ((char32_t(m_high) - 0xD800) << 10) + (unit - 0xDC00), out);
            m_high = 0;
            return;
        }
        if (m_high != 0) {
            out += kNotUtf8;
            m_high = 0;
        }
        Code(unit, out);
    }

    static void Code(char32_t code, QByteArray& out) {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }

    const bool m_bigEndian;
    unsigned char m_byte = 0;
    bool m_haveByte = false;
    char16_t m_high = 0;
};

// The byte order the file's mark tells: 1 for little-endian, 2 for big-endian, 0 for none.
int Utf16Mark(QFile& file) {
    const QByteArray mark = file.read(2);
    if (mark == QByteArray("\xFF\xFE", 2))
        return 1;
    if (mark == QByteArray("\xFE\xFF", 2))
        return 2;
    return 0;
}

} // namespace

bool Utf16TextCopy::IsUtf16(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && Utf16Mark(file) != 0;
}

Utf16TextCopy::Utf16TextCopy(const QString& path)
    : m_copy(QDir(QDir::tempPath()).filePath(QStringLiteral("lettrino-utf8-XXXXXX.txt"))) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !m_copy.open())
        return;
    const int mark = Utf16Mark(file);
    if (mark == 0)
        return;
    Transcoder transcoder(mark == 2);
    QByteArray out("\xEF\xBB\xBF");
    while (true) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty())
            break;
        transcoder.Feed(chunk, out);
        if (m_copy.write(out) != out.size())
            return;
        out.clear();
    }
    transcoder.Finish(out);
    m_made =
        file.error() == QFileDevice::NoError && m_copy.write(out) == out.size() && m_copy.flush();
    m_copy.close();
}
