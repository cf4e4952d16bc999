#pragma once

#include <QString>

// One label layout: labels down and across a sheet, the top and left indent of the first
// label, the distances from one row and one column to the next (inches) and the type size
// (points). Every number travels as a 32-bit float; rows and columns are stored as whole
// numbers.
struct LabelRecord {
    QString LName;
    float LRows = 0;
    float LCols = 0;
    float IndentTop = 0;
    float IndentLeft = 0;
    float RowDelta = 0;
    float ColDelta = 0;
    float LTypeSize = 0;
};
