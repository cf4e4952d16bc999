#pragma once

#include <QtGlobal>

// The figures of a coming label run, as the label window shows them.
struct LabelRecount {
    int startRow = 1;      // clamped to the sheet's rows
    int startColumn = 1;   // clamped to the sheet's columns
    int freePositions = 0; // label positions left on the first sheet
    int fit = 1;           // how often every record fits on the first sheet (at least 1)
    int sheets = 1;        // sheets the run takes
    int labelsPerRecord = 1;
    bool fillPageEnabled = false;
    bool fillPageChecked = false;
};

// Counts a run of records on a sheet of rows x columns starting at (startRow, startColumn),
// both from 1 and clamped to the sheet. "Fill Page" (repeat each record to fill the first
// sheet) is offered only when every record fits at least twice; it takes effect when it is
// checked and was already offered, so that checking it first offers it, and a check that
// is no longer offered is cleared. The sheets are counted from the labels the run prints:
// the free positions of the first sheet, then whole sheets.
LabelRecount RecountLabels(qint64 records, int rows, int columns, int startRow, int startColumn,
                           bool fillPageChecked, bool fillPageEnabled);
