#pragma once

#include <QString>

// Makes a file or folder write-protected for the life of the object: its write bits are
// cleared, and where that does not stop writing (tests running as root) the immutable
// attribute is set as well. Active() tells whether writing really is refused now; when it
// is not, Reason() says why, for a test to skip with. Everything is undone at the end.
class WriteProtection {
public:
    explicit WriteProtection(const QString& path);
    ~WriteProtection();
    WriteProtection(const WriteProtection&) = delete;
    WriteProtection& operator=(const WriteProtection&) = delete;

    bool Active() const { return m_active; }
    const QString& Reason() const { return m_reason; }

private:
    bool WritingRefused() const;

    QString m_path;
    bool m_immutable = false;
    bool m_active = false;
    QString m_reason;
};
