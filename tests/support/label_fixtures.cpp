#include "support/label_fixtures.h"

#include "database/label_core.h"
#include "database/label_record.h"
#include "database/list_core.h"
#include "database/list_record.h"

qint64 AddLabelDefinition(const QString& name, int rows, int columns, float indentTop,
                          float indentLeft, float rowDelta, float columnDelta, float typeSize) {
    LabelRecord label;
    label.LName = name;
    label.LRows = float(rows);
    label.LCols = float(columns);
    label.IndentTop = indentTop;
    label.IndentLeft = indentLeft;
    label.RowDelta = rowDelta;
    label.ColDelta = columnDelta;
    label.LTypeSize = typeSize;
    LabelCore labels;
    return labels.NewRecord(label) ? labels.ID() : 0;
}

qint64 AddAvery5160() {
    return AddLabelDefinition("Avery 5160", 10, 3, 0.5f, 0, 1, 2.8f, 10);
}

qint64 AddAvery5162() {
    return AddLabelDefinition("Avery 5162", 7, 2, 0.8f, 0, 1.32f, 4.17f, 12);
}

QString LabelNameOf(int record) {
    return QStringLiteral("First Name%1").arg(record, 3, 10, QLatin1Char('0'));
}

void AddAddressRecords(int count, const std::function<void(int, ListRecord&)>& adjust) {
    ListCore list;
    auto batch = list.BeginBatch();
    for (int i = 1; i <= count; ++i) {
        ListRecord record;
        record.Name = QStringLiteral("Name%1; First").arg(i, 3, 10, QLatin1Char('0'));
        record.Address = QStringLiteral("%1 Main St").arg(i);
        record.City = "Springfield";
        record.State = "IL";
        record.Zip = QStringLiteral("62701%1").arg(i % 10000, 4, 10, QLatin1Char('0'));
        if (adjust)
            adjust(i, record);
        list.NewRecord(record);
    }
}
