#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringEncoder>
#include <QStringList>

// Writes a text file line by line in UTF-8 with CR LF line ends. The lines go to a work
// file beside the target, which takes the target's place only when Commit() succeeds, so
// a failure never leaves a partial file in place of the user's file nor one that looks
// finished. Failures throw EngineError: 61 for a full disk, 70 for a locked or
// write-protected file, another number otherwise.
class TextFileWriter {
public:
    explicit TextFileWriter(const QString& target);
    ~TextFileWriter(); // removes the work file unless committed
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void WriteLine(const QString& line);
    // Writes lines already encoded by EncodedLines.
    void WriteEncoded(QByteArrayView lines);
    // The lines as the file holds them: UTF-8, each ended by CR LF.
    static QByteArray EncodedLines(const QStringList& lines);
    void Commit();

private:
    void Fail(int error, const QString& what);
    void FlushWhenFull();

    QString m_target;
    QString m_work;
    QFile m_file;
    QByteArray m_buffer;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    bool m_committed = false;
};
