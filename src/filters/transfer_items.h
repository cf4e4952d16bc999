#pragma once

#include "filters/delimited_text.h"

#include <QDate>
#include <QList>
#include <QString>

struct ListRecord;

// The items a line of a delimited file can hold, by code.
namespace TransferItem {
constexpr int Skip = 0;
constexpr int Name = 1;
constexpr int AddressLine1 = 2;
constexpr int AddressLine2 = 3;
constexpr int AddressLine3 = 4;
constexpr int City = 5;
constexpr int State = 6;
constexpr int Zip = 7;
constexpr int EMail = 8;
constexpr int Phone = 9;
constexpr int Attention = 10;
constexpr int Code = 11;
constexpr int CarRt = 12;
constexpr int Switches = 13;
constexpr int Notes = 14;
constexpr int LastEdit = 15;
constexpr int LastName = 16;
constexpr int FirstName = 17;
constexpr int ReversedName = 18;
} // namespace TransferItem

// The items every field list offers (codes 1 to 15 in order), and the extra ones only
// the list of available items has (16, 17, 18, then 0).
QList<int> StandardTransferItems();
QList<int> ExtraTransferItems();
QString TransferItemCaption(int code);

// The header line of a mail-merge file: the captions without blanks.
QString MailMergeHeader(const QList<int>& fields, Delimiter delimiter);

// One record from one line (without its line end), read in the order of the field list.
// Consecutive entries with the same code join their fields. Missing fields stay empty; an
// undated record is dated today. False when the line is not in the delimiter's form.
bool RecordFromLine(const QString& line, const QList<int>& fields, Delimiter delimiter,
                    const QDate& today, ListRecord& record);

// One line (without its line end) for a record. A mail-merge line shows zip and phone in
// their display forms. Quotation marks in values become apostrophes.
QString LineFromRecord(const ListRecord& record, const QList<int>& fields, Delimiter delimiter,
                       bool mailMerge);
