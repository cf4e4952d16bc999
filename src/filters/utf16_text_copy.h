#pragma once

#include <QString>
#include <QTemporaryFile>

// A text file in UTF-16, as spreadsheets save "Unicode Text", told by its byte-order mark
// and copied as UTF-8 (with the UTF-8 mark) into a temporary file, for the readers that take
// bytes. A unit that is no character (a lone surrogate, an odd byte at the end) becomes a
// byte that is not UTF-8, which those readers replace and report on its line as they do the
// damaged bytes of a UTF-8 file. The copy goes with the object; the file is never changed.
class Utf16TextCopy {
public:
    // True when the file begins with the byte-order mark of UTF-16, either byte order.
    static bool IsUtf16(const QString& path);

    explicit Utf16TextCopy(const QString& path);
    Utf16TextCopy(const Utf16TextCopy&) = delete;
    Utf16TextCopy& operator=(const Utf16TextCopy&) = delete;

    // False when the file could not be read or the copy not written.
    bool IsMade() const { return m_made; }
    QString Path() const { return m_copy.fileName(); }

private:
    QTemporaryFile m_copy;
    bool m_made = false;
};
