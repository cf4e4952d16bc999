#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// Checks a run of bytes as UTF-8, fed in pieces: no stray continuation bytes, no overlong
// forms, no surrogates, nothing above U+10FFFF. A sequence cut at the end of one piece is
// carried over to the next. Counts the well-formed multi-byte characters and the bytes
// that break the rules, so that a file that is UTF-8 with a few damaged bytes can be told
// from one in another code page.
class Utf8Check {
public:
    void Feed(QByteArrayView bytes);
    // Ends the input: a sequence left open counts as a bad byte.
    void Finish();
    qint64 BadBytes() const { return m_bad; }
    qint64 Characters() const { return m_multiByte; }

private:
    int m_pending = 0;
    unsigned char m_low = 0x80; // the range of the next continuation byte
    unsigned char m_high = 0xBF;
    qint64 m_bad = 0;
    qint64 m_multiByte = 0;
};

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(QByteArrayView bytes);

// Windows-1252 bytes as text.
QString FromWindows1252(QByteArrayView bytes);

// What one pass over a text file tells before any of it is read as records.
struct TextSurvey {
    qint64 size = 0;
    bool bom = false;        // begins with the UTF-8 byte-order mark
    bool utf8 = true;        // read as UTF-8 (else as Windows-1252)
    qint64 badBytes = 0;     // bytes that are not UTF-8 (when read as UTF-8)
    bool sawCr = false;      // the file holds a CR
    bool sawLf = false;      // the file holds an LF
    bool nul = false;        // holds a NUL byte: not a text file
    qint64 lines = 0;        // lines holding anything
    qint64 controlLines = 0; // of them, lines holding control characters text never has

    // A file that is not text: NUL bytes, or most of its lines unreadable.
    bool IsText() const { return !nul && controlLines * 2 <= lines; }
};

// Reads the device from where it stands to its end. A file is read as UTF-8 when it
// begins with the byte-order mark, holds no byte that breaks UTF-8's rules, or holds more
// well-formed UTF-8 characters than broken bytes; otherwise as Windows-1252, the code page
// of older transfer files and of spreadsheets saved on Windows.
TextSurvey SurveyText(QIODevice& device);

// The text of bytes from a surveyed file; badBytes is set when UTF-8 bytes were broken
// (they become U+FFFD).
QString DecodeText(const TextSurvey& survey, QByteArrayView bytes, bool* badBytes = nullptr);
