#pragma once

#include <QFile>
#include <QString>

// Reads a text file line by line without holding it whole. A file whose bytes are valid
// UTF-8 (with or without a byte-order mark) is read as UTF-8, any other as Windows-1252,
// the code page of older transfer files. Lines end with CR LF and a lone LF inside a line
// is data, unless the file holds no CR at all, when LF ends the lines. The last line needs
// no line end.
class TextLineReader {
public:
    explicit TextLineReader(const QString& path);

    bool IsOpen() const { return m_open; }
    // The next line without its end; false at the end of the file.
    bool ReadLine(QString& line);
    qint64 BytesRead() const { return m_consumed; }
    qint64 Size() const { return m_size; }

    // Windows-1252 bytes as text.
    static QString FromWindows1252(const QByteArray& bytes);

private:
    bool Fill();

    QFile m_file;
    bool m_open = false;
    bool m_utf8 = true;
    bool m_crlf = true;
    QByteArray m_buffer;
    int m_start = 0;
    bool m_eof = false;
    qint64 m_consumed = 0;
    qint64 m_size = 0;
};
