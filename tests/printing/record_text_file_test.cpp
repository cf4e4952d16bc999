#include "printing/record_text_file.h"

#include "database/engine_error.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "support/label_fixtures.h"
#include "support/test_environment.h"

namespace {

// The text of a line with text added at the column (counted from 1).
QString At(const QString& line, int column, const QString& text) {
    return line.leftJustified(column - 1, QLatin1Char(' ')) + text;
}

ListRecord Record(const QString& name, const QString& address, const QString& city,
                  const QString& state, const QString& zip, const QString& phone,
                  const QString& email) {
    ListRecord record;
    record.Name = name;
    record.Address = address;
    record.City = city;
    record.State = state;
    record.Zip = zip;
    record.Phone = phone;
    record.EMail = email;
    return record;
}

} // namespace

class RecordTextFile : public LettrinoTest {};

TEST_F(RecordTextFile, FixedColumnsMatchAFileWrittenByHand) {
    MakeList();
    {
        ListCore list;
        list.NewRecord(Record("Alexandra Catherine Montgomery III", "12 Oak Lane", "Springfield",
                              "IL", "627010001", "2175550123", "alex@example.com"));
        list.NewRecord(
            Record("Brown & Co; Bob", "", "Peoria", "IL", "616020000", "", "bob@example.com"));
        list.NewRecord(Record("Carter; Carol",
                              "Suite 5\r\n100 Elm St\r\nBuilding West Wing Annex Floor Three",
                              "Chicago", "IL", "606010000", "", "carol@mail.example.org"));
        list.NewRecord(Record("Zimmer; Zoe", "1 A St", "", "", "", "", ""));
    }

    QStringList lines;
    // A name of 34 characters (the longest the list holds) with spaces: its part before
    // the last space, and the rest at the start of the second line.
    lines << At("Alexandra Catherine Montgomery", 35, "12 Oak Lane")
                     .leftJustified(69, QLatin1Char(' ')) +
                 "(217) 555-0123";
    lines << At(At("III", 35, "Springfield IL 62701-0001"), 70, "alex@example.com");
    lines << "";
    // No address and no phone: the name alone (its ampersand single), then the place and
    // the e-mail.
    lines << "Bob Brown & Co";
    lines << At(At("", 35, "Peoria IL 61602"), 70, "bob@example.com");
    lines << "";
    // Three address lines: the e-mail beside the second, the place after the last; address
    // lines cut to 34 characters.
    lines << At("Carol Carter", 35, "Suite 5");
    lines << At(At("", 35, "100 Elm St"), 70, "carol@mail.example.org");
    lines << At("", 35, "Building West Wing Annex Floor Thr");
    lines << At("", 35, "Chicago IL 60601");
    lines << "";
    // An address but no place: nothing beyond the name and the address.
    lines << At("Zoe Zimmer", 35, "1 A St");
    lines << "";
    lines << "";
    QByteArray expected;
    for (const QString& line : lines)
        expected += line.toUtf8() + "\r\n";

    const QString path = Path("list.txt");
    ListCore list;
    list.SetCurrentFilter();
    qint64 reported = 0;
    EXPECT_EQ(WriteRecordTextFile(path, list, [&](qint64 written) { reported = written; }), 4);
    EXPECT_EQ(reported, 4);
    const QByteArray written = ReadBytes(path);
    EXPECT_EQ(written.toStdString(), expected.toStdString());
}

TEST_F(RecordTextFile, LinesOfSingleRecords) {
    // A name of 33 characters is never split; one over it without a space is only cut.
    ListRecord record = Record("Abcdefghijklmnopqrstuvwxyz; Abcde", "", "", "", "", "", "");
    EXPECT_EQ(RecordTextLines(record), (QStringList{"Abcde Abcdefghijklmnopqrstuvwxyz", "", ""}));
    record.Name = QString(40, QLatin1Char('x'));
    EXPECT_EQ(RecordTextLines(record), (QStringList{QString(34, QLatin1Char('x')), "", ""}));
    // A 40-character name with spaces (as lists from elsewhere may hold): the part before
    // its last space cut to 34 characters, the rest on the second line.
    record.Name = "Alexandra Catherine Montgomery-Smythe II";
    EXPECT_EQ(RecordTextLines(record),
              (QStringList{"Alexandra Catherine Montgomery-Smy", "II", ""}));
    record.Name = "Wolfeschlegelsteinhausenbergerdorff & Sons";
    EXPECT_EQ(RecordTextLines(record),
              (QStringList{"Wolfeschlegelsteinhausenbergerdorf", "Sons", ""}));
    // A long e-mail is cut to 100 characters; the place is city, state and zip with a
    // blank between each.
    record = Record("A; B", "1 Main St\r\nFloor 2", "Peoria", "IL", "616020000", "3095550000",
                    QString(120, QLatin1Char('e')));
    const QStringList lines = RecordTextLines(record);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], At(At("B A", 35, "1 Main St"), 70, "(309) 555-0000"));
    EXPECT_EQ(lines[1], At(At("", 35, "Floor 2"), 70, QString(100, QLatin1Char('e'))));
    EXPECT_EQ(lines[2], At("", 35, "Peoria IL 61602"));
    EXPECT_EQ(lines[3], "");
}

TEST_F(RecordTextFile, AFailedWriteLeavesTheTargetAsItWas) {
    MakeList();
    AddAddressRecords(3);
    const QString path = Path("keep.txt");
    WriteBytes(path, "old contents");
    ListCore list;
    list.SetCurrentFilter();
    EXPECT_THROW(WriteRecordTextFile(Path("missing/folder/list.txt"), list), EngineError);
    EXPECT_EQ(ReadBytes(path), QByteArray("old contents"));
    EXPECT_EQ(WriteRecordTextFile(path, list), 3);
    EXPECT_TRUE(ReadBytes(path).startsWith("First Name001"));
}
