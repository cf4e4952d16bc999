#pragma once

#include <QString>
#include <vector>

class Connection;

// Collects the IDs of a query of the simple form "SELECT * FROM table [WHERE ...] ORDER BY
// column" in the query's order, sorting them itself: the engine only selects the rows and
// reads the column, and the sort works on compact keys folded as the column's collation
// folds them (NOCASE or BINARY), ties in the order the rows were selected. That is several
// times faster than the engine's general sorter on a large list. False, with ids untouched,
// when the query has another form or the column holds values other than text, so that the
// caller runs the query as it stands.
bool CollectSortedIds(Connection& db, const QString& sql, std::vector<qint64>& ids);
