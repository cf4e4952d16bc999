#include "support/write_protection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

bool Chattr(const QString& flag, const QString& path) {
    QProcess process;
    process.start(QStringLiteral("chattr"), {flag, path});
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

WriteProtection::WriteProtection(const QString& path) : m_path(path) {
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    if (WritingRefused()) {
        m_active = true;
        return;
    }
    // Write bits do not stop root; the immutable attribute does, where the file system
    // and the process's capabilities allow it.
    m_immutable = Chattr(QStringLiteral("+i"), path);
    m_active = m_immutable && WritingRefused();
    if (!m_active)
        m_reason = QStringLiteral("Skipped: %1 stays writable here (the tests run as root, "
                                  "where write permissions do not stop writes, and the "
                                  "immutable attribute could not be set).")
                       .arg(path);
}

WriteProtection::~WriteProtection() {
    if (m_immutable)
        Chattr(QStringLiteral("-i"), m_path);
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool WriteProtection::WritingRefused() const {
    if (QFileInfo(m_path).isDir()) {
        QFile probe(QDir(m_path).filePath(QStringLiteral(".write-probe")));
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.close();
        probe.remove();
        return false;
    }
    QFile file(m_path);
    return !file.open(QIODevice::ReadWrite);
}
