#pragma once

#include <QtGlobal>

class Connection;

// Tells a store cheaply whether its list file may have changed since it last looked, so
// that the store can keep what it read (the key of the current row, the rows just ahead)
// instead of asking the engine again at every move. A change is a commit by any connection
// (the file's change counter, which every committing write moves on) or a row changed by
// this store's own connection, committed or not. Looking costs one small read of the file
// header through the engine's own file handle: no lock, and no second handle on the file
// (closing a second handle would drop the engine's locks). A file in write-ahead-log mode,
// whose commits leave the counter alone, always counts as changed.
class ChangeWatch {
public:
    struct Token {
        quint32 counter = 0;
        qint64 ownChanges = 0;
        bool valid = false;

        // Two tokens are equal only when both could be read and nothing changed between.
        bool operator==(const Token& other) const;
        bool operator!=(const Token& other) const { return !(*this == other); }
    };

    explicit ChangeWatch(const Connection& connection) : m_connection(connection) {}

    Token Now() const;

private:
    const Connection& m_connection;
};
