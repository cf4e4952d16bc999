#pragma once

#include <QString>

// The fields a context search looks in, numbered as the entries of the "In Field" list.
enum class ContextField {
    Name = 0,
    Address = 1,
    City = 2,
    Zip = 3,
    EMail = 4,
    Phone = 5,
    Attention = 6,
    CarRt = 7,
    Code = 8,
    Notes = 9,
};

constexpr int kContextFieldCount = 10;

// The entry of the "In Field" list ("Name", "EMail Address", ...).
QString ContextFieldCaption(ContextField field);
// The column of the List table that holds the field.
QString ContextFieldColumn(ContextField field);

// Whether a record matches a context search, given the field as stored. With a search text
// the field must contain it anywhere, letters compared without case; with an empty text the
// field must be blank. invert turns the answer round.
bool ContextMatches(const QString& field, const QString& text, bool invert);
