#pragma once

#include <QString>

class Connection;
class DuplicateCheckHost;
class ListCore;

// Looks for records that may be the same address entered twice and marks them. The check
// walks the whole list once in ZIP and name order and compares every record with the one
// right before it by three keys: the 5-digit ZIP, the first word of the name and the first
// word of the address. Only neighbours in that order are compared. Nothing but the Marked
// flag is changed; marks are written in batches of transactions.
class DuplicateCheck {
public:
    enum class Outcome {
        Finished, // the whole list was checked
        Declined, // the user kept the marks already set, so nothing was checked
        Stopped,  // the host asked to stop; the marks set so far are kept
        Failed,   // the list could not be read or written; the user has been told
    };
    struct Result {
        Outcome outcome = Outcome::Finished;
        // Possible duplicates found (pairs of neighbours), and records visited.
        qint64 found = 0;
        qint64 visited = 0;
    };

    // list is the window's store of the whole list; batchRows 0 means the usual batch.
    DuplicateCheck(ListCore& list, DuplicateCheckHost& host, int batchRows = 0);

    // The Go command. An empty list finishes at once with nothing found. When records are
    // marked, beeps and asks whether to turn their marks off; No ends with nothing changed.
    // Then each record that matches the one before it is marked, and so is that one unless
    // leaveFirstUnmarked is set.
    Result Run(bool leaveFirstUnmarked);

    // The keys of a record: the first five characters of the stored ZIP; the first word of
    // a name or address (the text before its first blank, or the whole text when it has no
    // blank or its only blank is its last character).
    static QString ZipKey(const QString& zip);
    static QString FirstWord(const QString& text);
    // Whether a field contains a key, letters distinguished by case. An empty key is in
    // every field that is not empty.
    static bool ContainsKey(const QString& field, const QString& key);

private:
    Result Pass(Connection& db, bool leaveFirstUnmarked);
    static int EngineProgress(void* check);

    ListCore& m_list;
    DuplicateCheckHost& m_host;
    int m_batchRows;
    bool m_stopRequested = false;
};
