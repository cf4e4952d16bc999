#pragma once

#include <QtGlobal>

// A position in a store's set of rows: the whole table in index order, or the rows of a
// query in the query's order. Positions are row IDs. A move that finds nothing leaves the
// position where it was.
class RecordCursor {
public:
    virtual ~RecordCursor() = default;

    virtual qint64 Count() = 0;
    virtual bool MoveFirst() = 0;
    virtual bool MoveLast() = 0;
    // The next / previous row; without a position, the first / last row.
    virtual bool MoveNext() = 0;
    virtual bool MovePrevious() = 0;
    // Stands on the row with this ID; false (position unchanged) when the set lacks it.
    virtual bool MoveTo(qint64 id) = 0;
    // The ID of the row stood on; 0 without a position.
    virtual qint64 Current() const = 0;
    // The row has been deleted: the position stays between its neighbours, so that the next
    // MoveNext reaches the row after it.
    virtual void Removed(qint64 id) = 0;
};
