#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

class ListCore;
struct ListRecord;

// How the records of a set are read: looked up by ID (for small sets), or by one scan of
// the table whose results are put back in the set's order; Automatic chooses by the set's
// size.
enum class SelectedRead { Automatic, ByLookup, ByScan };

// What a pass over the selected records does with them.
struct SelectedPass {
    // Whether the record at this place of the set (counted from 0) is wanted; every record
    // when unset.
    std::function<bool(qint64 place)> wanted;
    // Makes the bytes of a wanted record (a line of a file, say). It may be called on a
    // worker thread and in any order, so it must touch nothing but the record.
    std::function<QByteArray(const ListRecord& record)> format;
    // Takes the bytes of each wanted record in the set's order, on the calling thread;
    // false stops the pass.
    std::function<bool(qint64 place, QByteArrayView bytes)> take;
    // Told now and then, on the calling thread, how much of the pass is done (0 to 1);
    // false stops the pass.
    std::function<bool(double done)> progress;
};

// Runs a pass over every record of the store's current set (the rows of its query, or the
// whole list in name order) in the set's order, on a read-only connection of its own:
// many times faster than moving the store from record to record, in memory that does not
// grow with the list. Records deleted since the set was made are passed over; places are
// those of the set as it was made. Returns the number of records taken. Throws EngineError
// when the list can't be read or the work space for sorting can't be written.
qint64 RunSelectedPass(const ListCore& list, const SelectedPass& pass,
                       SelectedRead method = SelectedRead::Automatic);
