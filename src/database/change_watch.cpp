#include "database/change_watch.h"

#include "database/connection.h"

#include <sqlite3.h>

namespace {
// Header bytes read: the file format versions (offsets 18 and 19; 2 means write-ahead
// logging, where commits do not move the counter) up to the file change counter, four
// big-endian bytes at offset 24.
constexpr int kHeaderStart = 18;
constexpr int kHeaderBytes = 10;
constexpr int kCounterAt = 24 - kHeaderStart;
constexpr unsigned char kWalFormat = 2;
} // namespace

bool ChangeWatch::Token::operator==(const Token& other) const {
    return valid && other.valid && counter == other.counter && ownChanges == other.ownChanges;
}

ChangeWatch::Token ChangeWatch::Now() const {
    Token token;
    sqlite3* db = m_connection.Handle();
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods)
        return token;
    unsigned char bytes[kHeaderBytes] = {};
    if (file->pMethods->xRead(file, bytes, kHeaderBytes, kHeaderStart) != SQLITE_OK)
        return token;
    // A file kept with a write-ahead log is never taken as unchanged.
    if (bytes[0] == kWalFormat || bytes[1] == kWalFormat)
        return token;
    const unsigned char* counter = bytes + kCounterAt;
    token.counter = (quint32(counter[0]) << 24) | (quint32(counter[1]) << 16) |
                    (quint32(counter[2]) << 8) | quint32(counter[3]);
    token.ownChanges = sqlite3_total_changes64(db);
    token.valid = true;
    return token;
}
