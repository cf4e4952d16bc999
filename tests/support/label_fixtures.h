#pragma once

#include <QString>
#include <functional>

struct ListRecord;

// Label definitions and address records written into the current list for label tests.

// The two sheets every new list starts with: "Avery 5160" (10 x 3, 0.5 in from the top,
// 1 x 2.8 in, 10 points) and "Avery 5162" (7 x 2, 0.8 in, 1.32 x 4.17 in, 12 points).
qint64 AddAvery5160();
qint64 AddAvery5162();
qint64 AddLabelDefinition(const QString& name, int rows, int columns, float indentTop,
                          float indentLeft, float rowDelta, float columnDelta, float typeSize);

// Adds count records in one batch. Record i (from 1) is "Name<iii>; First" at
// "<i> Main St", "Springfield, IL" zip 62701<iiii> (nine digits), before adjust changes it;
// so they sort in the order added and label i reads "First Name<iii>".
void AddAddressRecords(int count, const std::function<void(int, ListRecord&)>& adjust = {});
QString LabelNameOf(int record);
