#include "filters/text_file_writer.h"

#include "database/engine_error.h"
#include "database/file_replace.h"
#include "database/new_database.h"

#include <cerrno>
#include <cstring>

namespace {
constexpr int kFlushBytes = 1 << 16;
} // namespace

TextFileWriter::TextFileWriter(const QString& target)
    : m_target(target), m_work(WorkFileBeside(target, "write")), m_file(m_work) {
    // The finished file takes the target's place: never the place of the list itself.
    if (IsCurrentListFile(target))
        throw EngineError(JetError::FileInUse, QString::fromLatin1(kCantOverwriteCurrentList));
    errno = 0;
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        Fail(errno, "Can't create " + target);
}

TextFileWriter::~TextFileWriter() {
    if (!m_committed) {
        m_file.close();
        QFile::remove(m_work);
    }
}

void TextFileWriter::Fail(int error, const QString& what) {
    const QString description =
        what + (error != 0 ? ": " + QString::fromLocal8Bit(std::strerror(error)) : QString());
    if (error == ENOSPC || error == EDQUOT || m_file.error() == QFileDevice::ResourceError)
        throw EngineError(JetError::DiskFull, description);
    if (error == EACCES || error == EPERM || error == EROFS || error == ETXTBSY)
        throw EngineError(JetError::FileLocked, description);
    throw EngineError(error != 0 ? error : 75, description);
}

void TextFileWriter::WriteLine(const QString& line) {
    // Encoded straight into the buffer: a line is written for every record of a list.
    const qsizetype had = m_buffer.size();
    m_buffer.resize(had + m_encoder.requiredSpace(line.size()) + 2);
    char* end = m_encoder.appendToBuffer(m_buffer.data() + had, line);
    *end++ = '\r';
    *end++ = '\n';
    m_buffer.truncate(end - m_buffer.constData());
    FlushWhenFull();
}

void TextFileWriter::WriteEncoded(QByteArrayView lines) {
    m_buffer.append(lines.data(), lines.size());
    FlushWhenFull();
}

QByteArray TextFileWriter::EncodedLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes.append(line.toUtf8()).append("\r\n", 2);
    return bytes;
}

void TextFileWriter::FlushWhenFull() {
    if (m_buffer.size() >= kFlushBytes) {
        errno = 0;
        if (m_file.write(m_buffer) != m_buffer.size())
            Fail(errno, "Can't write " + m_target);
        m_buffer.truncate(0);
    }
}

void TextFileWriter::Commit() {
    errno = 0;
    if (!m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
        Fail(errno, "Can't write " + m_target);
    m_buffer.clear();
    errno = 0;
    if (!m_file.flush())
        Fail(errno, "Can't write " + m_target);
    m_file.close();
    if (!ReplaceFile(m_work, m_target))
        Fail(errno, "Can't put the file at " + m_target);
    m_committed = true;
}
