#include "printing/label_recount.h"

#include <algorithm>
#include <limits>

LabelRecount RecountLabels(qint64 records, int rows, int columns, int startRow, int startColumn,
                           bool fillPageChecked, bool fillPageEnabled) {
    rows = std::max(rows, 1);
    columns = std::max(columns, 1);
    LabelRecount count;
    count.startRow = std::clamp(startRow, 1, rows);
    count.startColumn = std::clamp(startColumn, 1, columns);
    count.freePositions = (columns - count.startColumn) * rows + (rows - count.startRow + 1);
    const qint64 n = std::max<qint64>(records, 1);
    count.fit = int(std::max<qint64>(count.freePositions / n, 1));

    if (count.fit < 2) {
        count.fillPageEnabled = false;
        count.fillPageChecked = false;
        count.labelsPerRecord = 1;
    } else if (fillPageChecked && fillPageEnabled) {
        count.fillPageEnabled = true;
        count.fillPageChecked = true;
        count.labelsPerRecord = count.fit;
    } else {
        count.fillPageEnabled = true;
        count.fillPageChecked = fillPageChecked;
        count.labelsPerRecord = 1;
    }

    const qint64 labels = n * count.labelsPerRecord;
    const qint64 perSheet = qint64(rows) * columns;
    qint64 sheets = 1;
    if (labels > count.freePositions)
        sheets += (labels - count.freePositions + perSheet - 1) / perSheet;
    count.sheets = int(std::min<qint64>(sheets, std::numeric_limits<int>::max()));
    return count;
}
