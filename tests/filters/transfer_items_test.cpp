#include "filters/transfer_items.h"

#include "app/value_formats.h"
#include "database/list_record.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace {
using namespace TransferItem;
const QDate kToday(2026, 12, 8);

ListRecord Read(const QString& line, const QList<int>& fields, Delimiter d, bool* ok = nullptr) {
    ListRecord record;
    const bool read = RecordFromLine(line, fields, d, kToday, record) == LineFault::None;
    if (ok)
        *ok = read;
    return record;
}
} // namespace

TEST(DelimitedText, QuotedFieldsAndTheirEnds) {
    int p = 0;
    QString field;
    EXPECT_EQ(ReadQuotedField("\"a\"", p, field), FieldRead::EndOfLine);
    EXPECT_EQ(field, "a");
    p = 0;
    const QString line = "\"Smith; John\",\"12 Oak St, Apt 2\",\"Dayton\"";
    EXPECT_EQ(ReadQuotedField(line, p, field), FieldRead::Field);
    EXPECT_EQ(field, "Smith; John");
    EXPECT_EQ(ReadQuotedField(line, p, field), FieldRead::Field);
    EXPECT_EQ(field, "12 Oak St, Apt 2"); // commas inside a field are text
    EXPECT_EQ(ReadQuotedField(line, p, field), FieldRead::EndOfLine);
    EXPECT_EQ(field, "Dayton");
    for (const char* bad : {"", "\"", "ab", "abc\"", "\"abc", "\"a\"b"}) {
        p = 0;
        EXPECT_EQ(ReadQuotedField(bad, p, field), FieldRead::Invalid) << bad;
    }
    // A closing mark must be followed by a comma and an opening mark, or end the line.
    QStringList fields;
    for (const char* bad : {"\"a\",b", "\"a\",", "\"a\",\"b\"c", "\"a\" ,\"b\""})
        EXPECT_FALSE(SplitLine(bad, Delimiter::QuoteComma, fields)) << bad;
    // One empty field is the shortest line.
    p = 0;
    EXPECT_EQ(ReadQuotedField("\"\"", p, field), FieldRead::EndOfLine);
    EXPECT_EQ(field, "");
    // Two quotation marks in a row inside a field are one, and the fields after it stay
    // in place.
    ASSERT_TRUE(
        SplitLine("\"He said \"\"hi\"\"\",\"\",\"\"\"\",\"x\"", Delimiter::QuoteComma, fields));
    EXPECT_EQ(fields, QStringList({"He said \"hi\"", "", "\"", "x"}));
}

TEST(DelimitedText, AnExportedLineOfEmptyValuesReadsBack) {
    // A record exported with only an empty value (or only empty ones) in either form.
    ListRecord record;
    record.Name = "Doe; Jane";
    for (const Delimiter d : {Delimiter::QuoteComma, Delimiter::Tab}) {
        for (const QList<int>& fields : {QList<int>{EMail}, QList<int>{EMail, Phone, Code}}) {
            const QString line = LineFromRecord(record, fields, d, false);
            bool ok = false;
            const ListRecord again = Read(line, fields, d, &ok);
            EXPECT_TRUE(ok) << line.toStdString();
            EXPECT_EQ(again.EMail, "");
            EXPECT_EQ(again.Code, "");
        }
    }
}

TEST(DelimitedText, TabFieldsIncludingEmptyFirstAndShortLast) {
    int p = 0;
    QString field;
    EXPECT_EQ(ReadTabField("A\tB", p, field), FieldRead::Field);
    EXPECT_EQ(field, "A");
    EXPECT_EQ(ReadTabField("A\tB", p, field), FieldRead::EndOfLine);
    EXPECT_EQ(field, "B");
    p = 0;
    EXPECT_EQ(ReadTabField("\tB", p, field), FieldRead::Field);
    EXPECT_EQ(field, "");
    p = 0;
    EXPECT_EQ(ReadTabField("A\t", p, field), FieldRead::EndOfLine); // a tab that ends the line
    EXPECT_EQ(field, "A");
    EXPECT_EQ(JoinFields({"", "b"}, Delimiter::Tab), "\tb");
    EXPECT_EQ(JoinFields({"a", "b"}, Delimiter::QuoteComma), "\"a\",\"b\"");
}

TEST(TransferItems, TheWorkedExampleInBothForms) {
    ListRecord r;
    r.Name = "Smith; John";
    r.Address = "12 Oak St";
    r.City = "Dayton";
    r.State = "OH";
    r.Zip = "454020000";
    r.Phone = "9375551234";
    const QList<int> fields = {Name, AddressLine1, City, State, Zip, Phone};
    EXPECT_EQ(LineFromRecord(r, fields, Delimiter::QuoteComma, false),
              "\"Smith; John\",\"12 Oak St\",\"Dayton\",\"OH\",\"454020000\",\"9375551234\"");
    EXPECT_EQ(MailMergeHeader(fields, Delimiter::QuoteComma),
              "\"Name\",\"AddressLine1\",\"City\",\"State\",\"ZipCode\",\"Phone\"");
    EXPECT_EQ(LineFromRecord(r, fields, Delimiter::QuoteComma, true),
              "\"Smith; John\",\"12 Oak St\",\"Dayton\",\"OH\",\"45402\",\"(937) 555-1234\"");
    EXPECT_EQ(MailMergeHeader({Skip, ReversedName}, Delimiter::Tab), "<SkipField>\tReversedName");
}

TEST(TransferItems, ExportedValuesAndTheirForms) {
    ListRecord r;
    r.Name = "Smith & Sons; Bob \"Jr\"";
    r.Address = "Line 1\r\nLine 2";
    r.Notes = "first\r\nsecond";
    r.Switches = "0100000000000001";
    r.LastEdit = QDate(2002, 3, 7);
    EXPECT_EQ(LineFromRecord(r,
                             {LastName, FirstName, ReversedName, AddressLine2, AddressLine3, Notes,
                              Switches, LastEdit, Skip},
                             Delimiter::Tab, false),
              "Smith & Sons\tBob 'Jr'\tBob 'Jr' Smith && Sons\tLine 2\t\tfirst\nsecond\t"
              "0100000000000001\t03/07/2002\t");
    ListRecord plain;
    plain.Name = "Acme Corp";
    EXPECT_EQ(LineFromRecord(plain, {LastName, FirstName, LastEdit}, Delimiter::QuoteComma, false),
              "\"Acme Corp\",\"\",\"12/30/1899\"");
}

TEST(TransferItems, ImportedLinesBecomeRecords) {
    bool ok = false;
    const ListRecord r = Read("\"Smith; John\",\"12 Oak St\",\"Suite 4\",\"Dayton\",\"oh\","
                              "\"45402-1234\",\"(937) 555-1234\",\"first\nsecond \"",
                              {Name, AddressLine1, AddressLine2, City, State, Zip, Phone, Notes},
                              Delimiter::QuoteComma, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(r.Name, "Smith; John");
    EXPECT_EQ(r.Address, "12 Oak St\r\nSuite 4");
    EXPECT_EQ(r.State, "oh");
    EXPECT_EQ(r.Zip, "454021234");
    EXPECT_EQ(r.Phone, "9375551234");
    EXPECT_EQ(r.Notes, "first\r\nsecond");
    EXPECT_EQ(r.Imported, 1);
    EXPECT_EQ(r.Marked, 0);
    EXPECT_EQ(r.LastEdit, kToday);

    // Last and first name parts make the name; an empty address part leaves no gap.
    const ListRecord parts =
        Read("Smith\tJohn\t\tLine 3\t3/7/2002",
             {LastName, FirstName, AddressLine1, AddressLine3, LastEdit}, Delimiter::Tab);
    EXPECT_EQ(parts.Name, "Smith; John");
    EXPECT_EQ(parts.Address, "Line 3");
    EXPECT_EQ(parts.LastEdit, QDate(2002, 3, 7));
    EXPECT_EQ(Read("\"\",\"John\"", {LastName, FirstName}, Delimiter::QuoteComma).Name, "John");
}

TEST(TransferItems, JoinedColumnsShortLinesAndLimits) {
    EXPECT_EQ(Read("\"part one \",\"part two\"", {Notes, Notes}, Delimiter::QuoteComma).Notes,
              "part one part two");
    EXPECT_EQ(Read("one\ttwo", {Notes, Notes}, Delimiter::Tab).Notes, "onetwo");
    const ListRecord shortLine = Read("\"Only\"", {Name, City, Zip}, Delimiter::QuoteComma);
    EXPECT_EQ(shortLine.Name, "Only");
    EXPECT_EQ(shortLine.City, "");
    EXPECT_EQ(shortLine.Zip, "");
    bool ok = true;
    Read("", {Name}, Delimiter::QuoteComma, &ok);
    EXPECT_FALSE(ok);
    const ListRecord empty = Read("", {Name, City}, Delimiter::Tab, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(empty.Name, "");
}

TEST(TransferItems, LinesThatCantBeRecordsAndTheirReasons) {
    ListRecord record;
    QString item;
    const auto fault = [&](const QStringList& values, const QList<int>& fields) {
        item.clear();
        return RecordFromFields(values, fields, kToday, record, &item);
    };
    // Values beyond the list: empty ones are allowed, others are too many.
    EXPECT_EQ(fault({"Smith", "Dayton", ""}, {Name, City}), LineFault::None);
    EXPECT_EQ(fault({"Smith", "Dayton", "x"}, {Name, City}), LineFault::TooManyFields);
    // Every limit is checked, never cut; the name made of its parts too.
    EXPECT_EQ(fault({QString(35, 'n')}, {Name}), LineFault::ValueTooLong);
    EXPECT_EQ(item, "Name holds at most 34 characters");
    EXPECT_EQ(fault({QString(20, 'c'), "Ohio"}, {City, State}), LineFault::ValueTooLong);
    EXPECT_EQ(item, "State holds at most 2 characters");
    EXPECT_EQ(fault({QString(20, 'l'), QString(20, 'f')}, {LastName, FirstName}),
              LineFault::ValueTooLong);
    EXPECT_EQ(fault({QString(100, 'a'), QString(100, 'b'), "c"},
                    {AddressLine1, AddressLine2, AddressLine3}),
              LineFault::ValueTooLong);
    EXPECT_EQ(item, "Address holds at most 200 characters");
    EXPECT_EQ(LineFaultText(LineFault::ValueTooLong, item),
              "a value too long: Address holds at most 200 characters");
    // Switches: up to sixteen 0s and 1s, padded with 0; anything else is refused.
    EXPECT_EQ(fault({"1"}, {Switches}), LineFault::None);
    EXPECT_EQ(record.Switches, "1000000000000000");
    EXPECT_EQ(fault({" 0101 "}, {Switches}), LineFault::None);
    EXPECT_EQ(record.Switches, "0101000000000000");
    EXPECT_EQ(fault({""}, {Switches}), LineFault::None);
    EXPECT_EQ(record.Switches, "");
    for (const char* bad : {"abc", "0000000000000000 1", "10000000000000001", "2"})
        EXPECT_EQ(fault({bad}, {Switches}), LineFault::BadSwitches) << bad;
    // Line breaks of any kind become the record's CR LF in the address and notes, blanks in
    // one-line items.
    ASSERT_EQ(fault({"Two\nLines", "a\rb\r\nc", "one\r\ntwo\nthree"}, {Name, AddressLine1, Notes}),
              LineFault::None);
    EXPECT_EQ(record.Name, "Two Lines");
    EXPECT_EQ(record.Address, "a\r\nb\r\nc");
    EXPECT_EQ(record.Notes, "one\r\ntwo\r\nthree");
}

TEST(TransferItems, RoundTripsFieldForField) {
    ListRecord r;
    r.Name = "O'Brien; Siobhan";
    r.Address = "14 O'Connell Ct\r\nFlat 2\r\nRear";
    r.City = QString::fromUtf8("Peña");
    r.State = "IN";
    r.Zip = "462170000";
    r.EMail = "siobhan@example.com";
    r.Phone = "3175550101";
    r.Attention = QString::fromUtf8("Jürgen");
    r.Code = "DONOR";
    r.CarRt = "C001";
    r.Switches = "1000000000000001";
    r.Notes = QString::fromUtf8("don't\r\n€ 25 pledged.");
    r.LastEdit = QDate(2002, 3, 7);
    const QList<int> all = StandardTransferItems();
    for (Delimiter d : {Delimiter::QuoteComma, Delimiter::Tab}) {
        bool ok = false;
        const ListRecord back = Read(LineFromRecord(r, all, d, false), all, d, &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(back.Name, r.Name);
        EXPECT_EQ(back.Address, r.Address);
        EXPECT_EQ(back.City, r.City);
        EXPECT_EQ(back.Zip, r.Zip);
        EXPECT_EQ(back.Phone, r.Phone);
        EXPECT_EQ(back.Attention, r.Attention);
        EXPECT_EQ(back.Switches, r.Switches);
        EXPECT_EQ(back.Notes, r.Notes);
        EXPECT_EQ(back.LastEdit, r.LastEdit);
        EXPECT_EQ(back.CarRt, r.CarRt);
    }
}
