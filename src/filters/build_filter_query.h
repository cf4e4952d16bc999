#pragma once

#include <QString>

struct FilterRecord;

// The Jet SQL statement that selects and orders the records of a filter, stored with the
// filter as its query text. Text bounds go in as quoted literals exactly as stored, with
// each apostrophe doubled so that the literal stays whole (O'Brien is 'O''Brien').
QString BuildFilterQuery(const FilterRecord& filter);
