#pragma once

// A SQLite file system for tests, wrapped around the default one: it counts the calls
// that change a file (xWrite, xTruncate, xSync) and, once armed, makes every such call
// from the chosen one on fail with the chosen result code, as a disk that has filled up
// or gone bad would. While it lives it is the default file system of every connection
// opened in this process.
class FaultVfs {
public:
    FaultVfs();
    ~FaultVfs();
    FaultVfs(const FaultVfs&) = delete;
    FaultVfs& operator=(const FaultVfs&) = delete;

    // Calls from number `first` (counted from 1 after this call) on fail with `code`
    // (SQLITE_FULL, SQLITE_IOERR_WRITE, ...; xSync and xTruncate get the matching I/O
    // error for an I/O error code).
    void FailFrom(long first, int code);
    // Counting goes on, nothing fails.
    void Disarm();
    // Calls counted since the last FailFrom or ResetCount.
    long Count() const;
    void ResetCount();
    // Calls that were made to fail.
    long Failed() const;
};
