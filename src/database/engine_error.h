#pragma once

#include <QString>
#include <stdexcept>

struct sqlite3;

// Jet error numbers that the program's messages are written for.
namespace JetError {
constexpr int DiskFull = 61;
constexpr int FileLocked = 70;
constexpr int FieldTooSmall = 3163;
constexpr int ZeroLengthNotAllowed = 3315;
constexpr int ValueOutOfRange = 3349;
constexpr int Damaged = 3049;
constexpr int UnrecognisedFormat = 3343;
constexpr int NotFound = 3024;
constexpr int ReadOnly = 3027;
// The file is in use as the current list (a text or backup file may not take its place).
constexpr int FileInUse = 3045;
} // namespace JetError

// An error reported by the database engine, carrying the number of the Jet case it stands
// for and a description in plain words.
class EngineError : public std::runtime_error {
public:
    EngineError(int number, const QString& description, int engineCode = 0);

    // Builds the error for the engine's last failure on a connection (or for a failed open).
    static EngineError FromEngine(int engineCode, const char* engineMessage);
    static EngineError FromConnection(sqlite3* db, int engineCode);

    int Number() const { return m_number; }
    const QString& Description() const { return m_description; }
    int EngineCode() const { return m_engineCode; }
    // "number description", as the stores show it.
    QString Text() const;

    bool IsDamagedFile() const;

private:
    int m_number;
    QString m_description;
    int m_engineCode;
};

// True when the folder of path refuses to have files made in it (write-protected, or a
// read-only file system).
bool FolderRefusesWriting(const QString& path);
