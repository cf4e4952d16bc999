#include "database/file_kind.h"

#include <QFile>
#include <QFileInfo>

namespace {
QByteArray Header(const QString& path, int size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(size);
}

quint32 BigEndian(const QByteArray& bytes, int offset) {
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | quint8(bytes.at(offset + i));
    return value;
}
} // namespace

FileKind DetectFileKind(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return FileKind::Missing;
    if (info.isDir())
        return FileKind::Folder;
    if (info.size() == 0)
        return FileKind::Empty;
    const QByteArray header = Header(path, 32);
    if (header.startsWith("SQLite format 3"))
        return FileKind::SQLite;
    // Jet 3/4 and ACE files: "Standard Jet DB" or "Standard ACE DB" from byte 4.
    if (header.size() >= 19 &&
        (header.mid(4, 15) == "Standard Jet DB" || header.mid(4, 15) == "Standard ACE DB"))
        return FileKind::Jet;
    return FileKind::Other;
}

bool IsTruncatedSQLiteFile(const QString& path) {
    const QByteArray header = Header(path, 100);
    if (header.size() < 100 || !header.startsWith("SQLite format 3"))
        return false;
    quint32 pageSize = (quint8(header.at(16)) << 8) | quint8(header.at(17));
    if (pageSize == 1)
        pageSize = 65536;
    const quint32 pageCount = BigEndian(header, 28);
    // The page count in the header is valid only when the change counter matches the
    // "version-valid-for" number.
    if (pageCount == 0 || BigEndian(header, 24) != BigEndian(header, 92))
        return false;
    return QFileInfo(path).size() < qint64(pageSize) * pageCount;
}
