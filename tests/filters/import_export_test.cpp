#include "filters/import_export.h"

#include "database/connection.h"
#include "database/control_core.h"
#include "database/engine_error.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "filters/build_filter_query.h"
#include "filters/transfer_items.h"
#include "support/deterministic_run.h"
#include "support/test_environment.h"
#include "support/write_protection.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace {

using namespace TransferItem;

class ImportExportTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_list = MakeList();
    }

    static void Add(const ListRecord& record) {
        ListCore store;
        ASSERT_TRUE(store.NewRecord(record));
    }

    static ListRecord Named(const QString& name) {
        ListRecord r;
        r.Name = name;
        return r;
    }

    static QStringList StoredNames() {
        QStringList names;
        for (const ListRecord& r : StoredRecords())
            names << r.Name;
        return names;
    }

    // What another connection sees: the rows committed to the file.
    qint64 CommittedRows(const QString& list) const {
        return Connection::Open(list)->QueryNumber("SELECT count(*) FROM List");
    }

    ImportResult Import(const QByteArray& bytes, const QList<int>& fields, Delimiter delimiter,
                        const ProgressHandler& progress = {}) {
        const QString file = Path("in.txt");
        WriteBytes(file, bytes);
        return ImportTextFile(file, fields, delimiter, progress);
    }

    // Writes the current filter's records; the file's lines (without their CR LF ends).
    QStringList Export(const ExportOptions& options, const QString& name = "out.ltx") {
        const QString file = Path(name);
        EXPECT_EQ(WriteDelimitedFile(file, options), WriteResult::Written);
        const QByteArray bytes = ReadBytes(file);
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        QStringList lines = QString::fromUtf8(bytes).split("\r\n");
        lines.removeLast();
        return lines;
    }

    static void MakeFilterCurrent(FilterRecord filter) {
        filter.StartPhone = filter.EndPhone = "0000000000";
        filter.Query = BuildFilterQuery(filter);
        FilterCore filters;
        ASSERT_TRUE(filters.NewRecord(filter));
        ControlCore().SetCurrentFilter(filters.ID());
    }

    static void ExpectSameRecord(const ListRecord& back, const ListRecord& original) {
        EXPECT_EQ(back.Name, original.Name);
        EXPECT_EQ(back.Address, original.Address);
        EXPECT_EQ(back.City, original.City);
        EXPECT_EQ(back.State, original.State);
        EXPECT_EQ(back.Zip, original.Zip);
        EXPECT_EQ(back.EMail, original.EMail);
        EXPECT_EQ(back.Phone, original.Phone);
        EXPECT_EQ(back.Attention, original.Attention);
        EXPECT_EQ(back.Code, original.Code);
        EXPECT_EQ(back.CarRt, original.CarRt);
        EXPECT_EQ(back.Switches, original.Switches);
        EXPECT_EQ(back.Notes, original.Notes);
        EXPECT_EQ(back.LastEdit, original.LastEdit);
        EXPECT_EQ(back.Imported, 1);
        EXPECT_EQ(back.Marked, 0);
    }

    // Records that exercise every way a value can trouble a line.
    static std::vector<ListRecord> VariedRecords() {
        std::vector<ListRecord> records;
        ListRecord a;
        a.Name = "O'Brien; Siobhan";
        a.Address = "Acme Corp\r\n14 O'Connell Ct, Flat 2\r\nPO Box 7";
        a.City = QString::fromUtf8("Peñasco");
        a.State = "NM";
        a.Zip = "875610000";
        a.EMail = "siobhan@example.com";
        a.Phone = "5055550101";
        a.Attention = QString::fromUtf8("Jürgen Groß");
        a.Code = "DONOR";
        a.CarRt = "C001";
        a.Switches = "1000000000000001";
        a.Notes = QString::fromUtf8("Don't call, write.\r\n€ 25 pledged, \"maybe\" more\r\n第二行");
        a.LastEdit = QDate(2002, 3, 7);
        records.push_back(a);
        ListRecord b;
        b.Name = "Acme Corp"; // no ";"
        b.Address = "1 Main St";
        b.City = "Dayton";
        b.State = "OH";
        b.Zip = "454020000";
        b.Phone = "0000000000"; // no phone, as the record window stores it
        b.Switches = "0000000000000000";
        b.LastEdit = QDate(2026, 1, 31);
        records.push_back(b);
        ListRecord c; // almost empty: no date, no address, empty first and last fields
        c.Zip = "000000000";
        c.Phone = "0000000000";
        c.Switches = "0100000000000000";
        c.Notes = "Line one\r\nLine two";
        records.push_back(c);
        return records;
    }

    QString m_list;
};

TEST_F(ImportExportTest, RecordsComeBackFieldForFieldInBothStyles) {
    std::vector<ListRecord> originals = VariedRecords();
    for (const ListRecord& r : originals)
        Add(r);
    const QList<int> fields = StandardTransferItems();
    for (Delimiter style : {Delimiter::QuoteComma, Delimiter::Tab}) {
        SCOPED_TRACE(style == Delimiter::Tab ? "tab" : "quote comma");
        SetCurrentList(m_list);
        ExportOptions options;
        options.fields = fields;
        options.delimiter = style;
        const QString file = Path(style == Delimiter::Tab ? "tab.ltx" : "quoted.ltx");
        ASSERT_EQ(WriteDelimitedFile(file, options), WriteResult::Written);
        // UTF-8, one CR LF line per record (in name order), line breaks inside as LF only.
        const QByteArray bytes = ReadBytes(file);
        EXPECT_EQ(bytes.count("\r\n"), 3);
        EXPECT_TRUE(bytes.contains(QString::fromUtf8("€ 25 pledged").toUtf8()));
        EXPECT_TRUE(bytes.contains("Don't call, write.\n"));

        const QString back = MakeList(style == Delimiter::Tab ? "Tab.mdb" : "Quoted.mdb");
        const ImportResult result = ImportTextFile(file, fields, style);
        EXPECT_EQ(result.added, 3);
        EXPECT_EQ(result.notImported, 0);
        EXPECT_EQ(CommittedRows(back), 3);
        const std::vector<ListRecord> stored = StoredRecords();
        ASSERT_EQ(stored.size(), 3u);
        // Exported in name order: the empty name first, then Acme, then O'Brien.
        ListRecord quoted = originals[0];
        quoted.Notes.replace('"', '\''); // quotation marks are written as apostrophes
        ExpectSameRecord(stored[0], originals[2]);
        ExpectSameRecord(stored[1], originals[1]);
        ExpectSameRecord(stored[2], quoted);
    }
}

TEST_F(ImportExportTest, NamePartsAndAddressLinesRoundTripAsTransferFiles) {
    std::vector<ListRecord> originals = VariedRecords();
    originals.push_back(Named("Zeta; Anna"));
    for (const ListRecord& r : originals)
        Add(r);
    // The first and last names in their own columns, the address lines one by one, and a
    // column that is written empty and ignored on reading.
    const QList<int> fields = {Skip,         FirstName, LastName, AddressLine1, AddressLine2,
                               AddressLine3, City,      Notes,    Switches,     LastEdit};
    for (Delimiter style : {Delimiter::QuoteComma, Delimiter::Tab}) {
        SetCurrentList(m_list);
        ExportOptions options;
        options.fields = fields;
        options.delimiter = style;
        const QStringList lines = Export(options, "parts.ltx");
        ASSERT_EQ(lines.size(), 4);
        // A name without ";" has an empty first-name column.
        const QString acme = style == Delimiter::Tab
                                 ? "\t\tAcme Corp\t1 Main St\t\t\tDayton\t\t0000000000000000\t"
                                   "01/31/2026"
                                 : "\"\",\"\",\"Acme Corp\",\"1 Main St\",\"\",\"\",\"Dayton\","
                                   "\"\",\"0000000000000000\",\"01/31/2026\"";
        EXPECT_EQ(lines[1], acme);

        MakeList(style == Delimiter::Tab ? "PartsTab.mdb" : "PartsQuoted.mdb");
        EXPECT_EQ(ImportTextFile(Path("parts.ltx"), fields, style).added, 4);
        const std::vector<ListRecord> stored = StoredRecords();
        ASSERT_EQ(stored.size(), 4u);
        EXPECT_EQ(stored[0].Name, "");
        EXPECT_EQ(stored[1].Name, "Acme Corp");
        EXPECT_EQ(stored[2].Name, "O'Brien; Siobhan");
        EXPECT_EQ(stored[2].Address, originals[0].Address);
        EXPECT_EQ(stored[2].City, originals[0].City);
        EXPECT_EQ(stored[3].Name, "Zeta; Anna");
        EXPECT_EQ(stored[0].Notes, "Line one\r\nLine two");
        EXPECT_EQ(stored[0].Switches, "0100000000000000");
        EXPECT_FALSE(stored[0].LastEdit.isValid()); // no date stays no date
    }
}

TEST_F(ImportExportTest, MailMergeFilesHaveTheHeaderAndDisplayForms) {
    for (const ListRecord& r : VariedRecords())
        Add(r);
    ExportOptions options;
    options.fields = {Name, AddressLine1, City, State, Zip, Phone, ReversedName};
    options.mailMerge = true;
    const QStringList lines = Export(options, "merge.txt");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "\"Name\",\"AddressLine1\",\"City\",\"State\",\"ZipCode\",\"Phone\","
                        "\"ReversedName\"");
    EXPECT_EQ(lines[2], "\"Acme Corp\",\"1 Main St\",\"Dayton\",\"OH\",\"45402\",\"\","
                        "\"Acme Corp\"");
    EXPECT_EQ(lines[3], QString::fromUtf8("\"O'Brien; Siobhan\",\"Acme Corp\",\"Peñasco\",\"NM\","
                                          "\"87561\",\"(505) 555-0101\",\"Siobhan O'Brien\""));
}

TEST_F(ImportExportTest, NthSelectSkipsAndStepsThroughTheFilterOrder) {
    for (const char* name : {"E", "C", "A", "J", "G", "B", "I", "D", "H", "F"})
        Add(Named(name));
    struct Case {
        const char* skip;
        const char* interval;
        QStringList expected;
    };
    const Case cases[] = {
        {"", "", {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}},
        {"0", "0", {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}},
        {"", "-3", {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}},
        {"0", "3", {"A", "D", "G", "J"}},
        {"2", "3", {"C", "F", "I"}},
        {"2.5", "2.5", {"C", "E", "G", "I"}},      // halves go to the even neighbour: 2 and 2
        {"3.5", "3.5", {"E", "I"}},                // 4 and 4
        {"0.5", "1.5", {"A", "C", "E", "G", "I"}}, // 0 and 2
        {"9", "1", {"J"}},
        {"25", "1", {"J"}}, // skipping stops at the last record, which is written
        {"99999999999999999999", "7", {"J"}},
        {"0", "10", {"A"}},
        {"0", "99999999999999999999", {"A"}},
        {"3rd", "4th", {"D", "H"}},
        {"x", "every", {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("skip ") + c.skip + ", interval " + c.interval);
        ExportOptions options;
        options.fields = {Name};
        options.delimiter = Delimiter::Tab;
        options.skip = NthSelectValue(c.skip);
        options.interval = NthSelectValue(c.interval);
        EXPECT_EQ(Export(options), c.expected);
    }
    // Counted in the filter's selection.
    FilterRecord fromC;
    fromC.FilterName = "From C";
    fromC.StartName = "C";
    MakeFilterCurrent(fromC);
    ExportOptions options;
    options.fields = {Name};
    options.skip = 1;
    options.interval = 2;
    EXPECT_EQ(Export(options), QStringList({"\"D\"", "\"F\"", "\"H\"", "\"J\""}));
}

TEST_F(ImportExportTest, AFilterThatSelectsNothingWritesNoFile) {
    const QString file = Path("out.ltx");
    ExportOptions options;
    options.fields = {Name};
    EXPECT_EQ(WriteDelimitedFile(file, options), WriteResult::NoRecords); // empty list
    EXPECT_FALSE(QFileInfo::exists(file));
    Add(Named("Smith"));
    FilterRecord none;
    none.FilterName = "Nobody";
    none.StartName = "X";
    MakeFilterCurrent(none);
    WriteBytes(file, "kept");
    options.mailMerge = true;
    EXPECT_EQ(WriteDelimitedFile(file, options), WriteResult::NoRecords);
    EXPECT_EQ(ReadBytes(file), "kept"); // an earlier file is not touched
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
    EXPECT_EQ(QDir(m_dir->path()).entryList({"out.ltx*"}, QDir::Files), QStringList("out.ltx"));
}

TEST_F(ImportExportTest, LinesThatCantBeRecordsAreToldAndTheImportGoesOn) {
    // More lines than one batch holds; line 2,501 has no opening quotation mark, line 2,503
    // is blank, and the lines after them still come in.
    QByteArray bytes;
    for (int i = 1; i <= 2500; ++i)
        bytes += "\"Name " + QByteArray::number(i) + "\",\"City\"\r\n";
    bytes += "Bad,\"line\"\r\n\"After\",\"City\"\r\n\r\n\"Last\",\"City\"\r\n\r\n";
    const ImportResult result = Import(bytes, {Name, City}, Delimiter::QuoteComma);
    EXPECT_EQ(result.added, 2502);
    EXPECT_EQ(result.notImported, 1);
    EXPECT_EQ(result.blankLines, 2);
    EXPECT_EQ(CommittedRows(m_list), 2502);
    EXPECT_EQ(StoredNames().mid(2500), QStringList({"After", "Last"}));
    EXPECT_EQ(ImportReportText(result), "Invalid input file.\n"
                                        "2502 records were imported.\n"
                                        "1 line was not imported: line 2501 (not a record)");
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());

    // Every kind of fault, the first five line numbers of each kind, and the count of the
    // rest; a doubled quotation mark is a quotation mark, not the end of the record.
    MakeList("Faults.mdb");
    const ImportResult faults =
        Import("\"Open,\"x\r\n"                                        // 1: text after a field
               "\"He said \"\"hi\"\"\",\"Dayton\",\"1\"\r\n"           // 2: imported
               "\"Three\",\"City\",\"0\",\"extra\"\r\n"                // 3: too many fields
               "\"A name of thirty-five characters...\",\"\",\"\"\r\n" // 4: too long
               "\"Five\",\"\",\"abc\"\r\n"                             // 5: bad switches
               "\"Six\"\r\n"                                           // 6: short, imported
               "\"Seven\",\"x\",\"01\",\"\"\r\n"                       // 7: an empty extra
               "\"a\r\n\"b\r\n\"c\r\n\"d\r\n",                         // 8-11: unclosed
               {Name, City, Switches}, Delimiter::QuoteComma);
    EXPECT_EQ(faults.added, 3);
    EXPECT_EQ(faults.notImported, 8);
    const QStringList names = StoredNames();
    EXPECT_EQ(names, QStringList({"He said \"hi\"", "Six", "Seven"}));
    EXPECT_EQ(StoredRecords()[0].Switches, "1000000000000000");
    EXPECT_EQ(ImportReportText(faults),
              "Invalid input file.\n"
              "3 records were imported.\n"
              "8 lines were not imported: line 1 (not a record), line 3 (too many fields), line 4 "
              "(a value too long: Name holds at most 34 characters), line 5 (Switches not 1 to 16 "
              "characters of 0 and 1), line 8 (not a record), ...\n"
              "1 line had fewer fields than the list, the items after them left empty: line 6");
}

TEST_F(ImportExportTest, AFileThatIsNotTextIsRefusedBeforeAnythingIsStored) {
    QByteArray binary("\x89PNG\r\n\x1A\n");
    for (int i = 0; i < 300; ++i)
        binary += char(i % 256);
    for (Delimiter style : {Delimiter::Tab, Delimiter::QuoteComma, Delimiter::Csv}) {
        const ImportResult result = Import(binary, {Name, City}, style);
        EXPECT_TRUE(result.notText);
        EXPECT_EQ(result.added, 0);
        m_dialogs->ExpectMessage("This is not a text file; nothing was imported.\n" +
                                 Path("in.txt"));
    }
    // Without NUL bytes, a file most of whose lines hold control characters is not text
    // either; one such line among text lines is only a line.
    EXPECT_TRUE(Import("\x01\x02\r\n\x03\r\nName\r\n", {Name}, Delimiter::Tab).notText);
    m_dialogs->TakeMessage();
    EXPECT_EQ(CommittedRows(m_list), 0);
    EXPECT_EQ(Import("One\r\n\x07"
                     "Bell\r\nThree\r\n",
                     {Name}, Delimiter::Tab)
                  .added,
              3);
}

TEST_F(ImportExportTest, ShortLinesAndEmptyTabFields) {
    const QDate today = FixedTestTime().date();
    // A short line leaves the missing fields empty, dates the record today and is counted;
    // an empty line, or one of tabs only, is skipped.
    const ImportResult result = Import("\tSmith\t\r\n"
                                       "A\tB\r\n"
                                       "\r\n"
                                       "\t\t\r\n"
                                       "Only\r\n"
                                       "\t\t\tOH\t",
                                       {Code, Name, City, State, Zip}, Delimiter::Tab);
    EXPECT_EQ(result.added, 4);
    EXPECT_EQ(result.blankLines, 2);
    EXPECT_EQ(result.shortLines, 4);
    EXPECT_EQ(result.firstShortLines, QList<qint64>({1, 2, 5, 6}));
    const std::vector<ListRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[0].Code, "");
    EXPECT_EQ(stored[0].Name, "Smith");
    EXPECT_EQ(stored[0].City, "");
    EXPECT_EQ(stored[1].Code, "A");
    EXPECT_EQ(stored[1].Name, "B"); // a one-character last field
    EXPECT_EQ(stored[1].Switches, "0000000000000000");
    EXPECT_EQ(stored[2].Code, "Only");
    EXPECT_EQ(stored[2].Name, "");
    EXPECT_EQ(stored[3].State, "OH");
    for (const ListRecord& r : stored) {
        EXPECT_EQ(r.LastEdit, today);
        EXPECT_EQ(r.Imported, 1);
    }

    // Exported with empty first and last fields, a line begins and ends with a tab, and
    // reads back the same.
    MakeList("Back.mdb");
    ListRecord middle;
    middle.City = "Dayton";
    Add(middle);
    ExportOptions options;
    options.fields = {Name, City, Code};
    options.delimiter = Delimiter::Tab;
    EXPECT_EQ(Export(options), QStringList("\tDayton\t"));
    MakeList("Again.mdb");
    EXPECT_EQ(ImportTextFile(Path("out.ltx"), options.fields, Delimiter::Tab).added, 1);
    const std::vector<ListRecord> again = StoredRecords();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].Name, "");
    EXPECT_EQ(again[0].City, "Dayton");
    EXPECT_EQ(again[0].Code, "");
}

TEST_F(ImportExportTest, ConsecutiveNotesColumnsJoinIntoOneNote) {
    Import("\"Smith\",\"Met at the fair. \",\"Call back\nin May\"\r\n", {Name, Notes, Notes},
           Delimiter::QuoteComma);
    Import("Jones\tfirst part, \tsecond part\r\n", {Name, Notes, Notes}, Delimiter::Tab);
    // Separated by another column, the second Notes column replaces the first.
    Import("\"Brown\",\"lost\",\"x\",\"kept\"\r\n", {Name, Notes, Code, Notes},
           Delimiter::QuoteComma);
    const std::vector<ListRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].Notes, "Met at the fair. Call back\r\nin May");
    EXPECT_EQ(stored[1].Notes, "first part, second part");
    EXPECT_EQ(stored[2].Notes, "kept");
    EXPECT_EQ(stored[2].Code, "x");
}

TEST_F(ImportExportTest, FilesInEveryEncodingAndLineEnd) {
    const QList<int> fields = {Name, City, Notes};
    // Windows-1252: bytes that are not UTF-8, among them the euro sign and curly quotes.
    Import("\"M\xFCller; J\xF6rg\",\"K\xF6ln\",\"\x80 12 \x93paid\x94\"\r\n", fields,
           Delimiter::QuoteComma);
    // Bytes that only look like UTF-8 at first (an overlong or surrogate form) are read as
    // Windows-1252 too, not turned into replacement characters.
    Import("\"Mart\xED\xA0\x80\",\"x\",\"\"\r\n", fields, Delimiter::QuoteComma);
    // UTF-8 with and without a byte-order mark.
    Import("\xEF\xBB\xBF\"Pe\xC3\xB1"
           "a\",\"S\xC3\xA3o Paulo\",\"\"\r\n",
           fields, Delimiter::QuoteComma);
    Import("Wang\t\xE5\x8C\x97\xE4\xBA\xAC\t\r\n", fields, Delimiter::Tab);
    // A file from a Linux tool: LF ends the lines, and the last line has no end.
    Import("\"Lf one\",\"A\",\"\"\n\"Lf two\",\"B\",\"\"", fields, Delimiter::QuoteComma);
    // CR LF ends the lines, so a lone LF is a line break inside the note; no end at the end.
    Import("Crlf\tC\tone\ntwo\r\nLast\tD\tthree", fields, Delimiter::Tab);
    // An old Mac file: CR alone ends every line.
    Import("\"Cr one\",\"E\",\"\"\r\"Cr two\",\"F\",\"\"\r", fields, Delimiter::QuoteComma);
    const std::vector<ListRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 10u);
    EXPECT_EQ(stored[0].Name, QString::fromUtf8("Müller; Jörg"));
    EXPECT_EQ(stored[0].City, QString::fromUtf8("Köln"));
    EXPECT_EQ(stored[0].Notes, QString::fromUtf8("€ 12 “paid”"));
    EXPECT_EQ(stored[1].Name, QString::fromUtf8("Martí\u00A0€"));
    EXPECT_EQ(stored[2].Name, QString::fromUtf8("Peña")); // no byte-order mark in the name
    EXPECT_EQ(stored[2].City, QString::fromUtf8("São Paulo"));
    EXPECT_EQ(stored[3].City, QString::fromUtf8("北京"));
    EXPECT_EQ(stored[4].Name, "Lf one");
    EXPECT_EQ(stored[5].Name, "Lf two");
    EXPECT_EQ(stored[5].City, "B");
    EXPECT_EQ(stored[6].Notes, "one\r\ntwo");
    EXPECT_EQ(stored[7].Notes, "three");
    EXPECT_EQ(stored[8].Name, "Cr one");
    EXPECT_EQ(stored[9].City, "F");
}

TEST_F(ImportExportTest, CancellingKeepsWhatWasDone) {
    QByteArray bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += "Name " + QByteArray::number(i) + "\r\n";
    qint64 lastDone = 0, lastTotal = 0;
    int calls = 0;
    const ImportResult result =
        Import(bytes, {Name}, Delimiter::Tab, [&](qint64 done, qint64 total) {
            lastDone = done;
            lastTotal = total;
            return ++calls < 2;
        });
    EXPECT_TRUE(result.cancelled);
    EXPECT_GT(result.added, 0);
    EXPECT_LT(result.added, 1000);
    EXPECT_EQ(CommittedRows(m_list), result.added);
    EXPECT_EQ(StoredNames().size(), result.added);
    EXPECT_EQ(lastTotal, bytes.size());
    EXPECT_GT(lastDone, 0);
    EXPECT_LT(lastDone, lastTotal);

    // A stopped export leaves no file, and an earlier one as it was.
    const QString file = Path("out.ltx");
    WriteBytes(file, "earlier");
    ExportOptions options;
    options.fields = {Name};
    int asked = 0;
    EXPECT_EQ(WriteDelimitedFile(file, options,
                                 [&](qint64 done, qint64 total) {
                                     EXPECT_EQ(total, result.added);
                                     EXPECT_LE(done, total);
                                     return ++asked < 1;
                                 }),
              WriteResult::Cancelled);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadBytes(file), "earlier");
    EXPECT_EQ(QDir(m_dir->path()).entryList({"out.ltx*"}, QDir::Files), QStringList("out.ltx"));
}

TEST_F(ImportExportTest, FilesThatCantBeWrittenThrowTheirErrorAndLeaveNoFile) {
    Add(Named("Smith"));
    ExportOptions options;
    options.fields = {Name};
    // A folder that is really a file: neither full nor locked, some other failure.
    WriteBytes(Path("plain"), "x");
    try {
        WriteDelimitedFile(Path("plain/out.ltx"), options);
        ADD_FAILURE() << "no error";
    } catch (const EngineError& error) {
        EXPECT_NE(error.Number(), JetError::DiskFull);
        EXPECT_NE(error.Number(), JetError::FileLocked);
        EXPECT_TRUE(error.Description().contains("plain/out.ltx"));
    }
    // A write-protected folder.
    QDir().mkpath(Path("locked"));
    WriteProtection protection(Path("locked"));
    if (!protection.Active())
        GTEST_SKIP() << qPrintable(protection.Reason());
    try {
        WriteDelimitedFile(Path("locked/out.ltx"), options);
        ADD_FAILURE() << "no error";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.Number(), JetError::FileLocked) << qPrintable(error.Text());
    }
    EXPECT_TRUE(QDir(Path("locked")).isEmpty());
}

TEST_F(ImportExportTest, AListThatCantBeWrittenStopsTheImportWithAMessage) {
    // Another program holds the list's write lock: the import waits, then says so.
    {
        auto other = Connection::Open(m_list);
        other->Execute("BEGIN IMMEDIATE");
        const ImportResult result = Import("\"Smith\"\r\n", {Name}, Delimiter::QuoteComma);
        EXPECT_TRUE(result.failed);
        EXPECT_EQ(result.added, 0);
        const ScriptedDialogs::Message message = m_dialogs->TakeMessage();
        EXPECT_TRUE(message.text.startsWith("File is locked or write protected\n"))
            << qPrintable(message.text);
        other->Execute("ROLLBACK");
    }
    // A write-protected list file: one message, not one per line.
    WriteProtection protection(m_list);
    if (!protection.Active())
        GTEST_SKIP() << qPrintable(protection.Reason());
    const ImportResult result =
        Import("\"Smith\"\r\n\"Jones\"\r\n\"Brown\"\r\n", {Name}, Delimiter::QuoteComma);
    EXPECT_TRUE(result.failed);
    m_dialogs->ExpectMessage("File is locked or write protected\n" + m_list);
    EXPECT_EQ(CommittedRows(m_list), 0);
}

TEST(NthSelectValue, TheNumberATextBeginsWithRoundedHalfToEven) {
    EXPECT_EQ(NthSelectValue(""), 0);
    EXPECT_EQ(NthSelectValue("  "), 0);
    EXPECT_EQ(NthSelectValue("abc"), 0);
    EXPECT_EQ(NthSelectValue("7"), 7);
    EXPECT_EQ(NthSelectValue(" 12th"), 12);
    EXPECT_EQ(NthSelectValue("0.5"), 0);
    EXPECT_EQ(NthSelectValue("1.5"), 2);
    EXPECT_EQ(NthSelectValue("2.5"), 2);
    EXPECT_EQ(NthSelectValue("2.51"), 3);
    EXPECT_EQ(NthSelectValue(".5"), 0);
    EXPECT_EQ(NthSelectValue("-2.5"), -2);
    EXPECT_EQ(NthSelectValue("inf"), 0);
    EXPECT_EQ(NthSelectValue("nan"), 0);
    EXPECT_EQ(NthSelectValue("123456789012345678901234567890"), 1e15);
}

} // namespace
