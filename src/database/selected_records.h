#pragma once

#include <QtGlobal>
#include <functional>

class ListCore;
struct ListRecord;

// Reads every record of the store's current set (its filter's query, or the whole list in
// name order) in the set's order, in one pass of the query on a read-only connection of
// its own: many times faster than moving the store from record to record. visit is given
// each record with its position in the set and returns false to stop. Returns the number
// of records visited. Throws EngineError when the list can't be read.
qint64 ForEachSelectedRecord(const ListCore& list,
                             const std::function<bool(const ListRecord&, qint64)>& visit);
