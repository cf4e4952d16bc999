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
// The header line of a CSV export: the captions as they are.
QString CsvHeader(const QList<int>& fields);

// Why a line of a file does not become a record.
enum class LineFault {
    None,
    NotARecord,    // not in the delimiter's form
    TooManyFields, // more values than the field list has items
    ValueTooLong,  // a value longer than its item holds
    BadSwitches,   // a Switches value that is not 1 to 16 characters "0" and "1"
};

// The reason as the import's report words it; item is the caption of the item concerned.
QString LineFaultText(LineFault fault, const QString& item);

// One record from the values of one line, taken in the order of the field list.
// Consecutive entries with the same code join their values. Missing values stay empty; a
// record without a date column is dated today (an empty date column leaves it undated). Line breaks
// inside a value (LF, CR LF or CR) become the record's line breaks (CR LF) in the address and the
// notes, and blanks in one-line items. A Switches value shorter than sixteen characters is padded
// with "0". Gives the fault and, through item, the caption of the item it concerns; record is set
// only without one.
LineFault RecordFromFields(const QStringList& values, const QList<int>& fields, const QDate& today,
                           ListRecord& record, QString* item = nullptr);

// The same from one line (without its line end) in the quote-comma or tab form.
LineFault RecordFromLine(const QString& line, const QList<int>& fields, Delimiter delimiter,
                         const QDate& today, ListRecord& record, QString* item = nullptr);

// One line (without its line end) for a record. A mail-merge line shows zip and phone in
// their display forms. In the quote-comma and tab forms quotation marks in values become
// apostrophes and line breaks in the notes single LFs, so that a record stays on one
// line. A CSV line keeps every value as it is (quoted where needed, line breaks as CR LF,
// the whole address from its third line on in Address Line 3) and writes dates as
// yyyy-mm-dd, which spreadsheets read in any locale.
QString LineFromRecord(const ListRecord& record, const QList<int>& fields, Delimiter delimiter,
                       bool mailMerge);
