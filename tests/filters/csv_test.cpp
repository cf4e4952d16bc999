// CSV files in and out: the reader on texts, the mapping of column headings, files written
// by an independent writer (Python's csv module) in the forms spreadsheets and address
// books use, and exported files read back by it.
#include "database/connection.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "filters/column_headings.h"
#include "filters/csv_reader.h"
#include "filters/csv_writer.h"
#include "filters/import_export.h"
#include "filters/transfer_items.h"
#include "support/test_environment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <vector>

namespace {

using namespace TransferItem;

QList<QStringList> Fields(const QList<CsvRow>& rows) {
    QList<QStringList> all;
    for (const CsvRow& row : rows) {
        QStringList fields;
        for (qsizetype i = 0; i < row.FieldCount(); ++i)
            fields << QString::fromUtf8(row.Field(i));
        all << fields;
    }
    return all;
}

QList<qint64> Lines(const QList<CsvRow>& rows) {
    QList<qint64> lines;
    for (const CsvRow& row : rows)
        lines << row.line;
    return lines;
}

} // namespace

TEST(CsvReader, FieldsLineEndsAndTheLinesRecordsBeginOn) {
    // Quoted and bare fields, blanks kept, doubled quotes, a delimiter and line breaks
    // inside quotes; an empty line is no record.
    const QByteArray text = "a, b ,\"c,d\"\r\n"
                            "\r\n"
                            "\"He said \"\"hi\"\"\",\"two\r\nlines\",\r\n"
                            "last,\"x\"";
    const QList<CsvRow> rows = CsvReader::ReadAll(text, ',');
    EXPECT_EQ(Fields(rows),
              QList<QStringList>(
                  {{"a", " b ", "c,d"}, {"He said \"hi\"", "two\r\nlines", ""}, {"last", "x"}}));
    EXPECT_EQ(Lines(rows), QList<qint64>({1, 3, 5}));
    // LF and CR alone end lines just as well.
    for (const char* end : {"\n", "\r"}) {
        QByteArray other = text;
        other.replace("\r\n", end);
        const QList<CsvRow> again = CsvReader::ReadAll(other, ',');
        EXPECT_EQ(Lines(again), QList<qint64>({1, 3, 5})) << end;
        EXPECT_EQ(Fields(again)[1][1], QString("two") + end + "lines");
    }
    // Given a byte at a time (a CR LF split between pieces among them), the same records.
    CsvReader pieces(',');
    for (char byte : text)
        pieces.Feed(QByteArrayView(&byte, 1));
    pieces.Finish();
    QList<CsvRow> fed;
    for (CsvRow row; pieces.TakeRow(row);)
        fed << row;
    EXPECT_EQ(Fields(fed), Fields(rows));
    EXPECT_EQ(Lines(fed), Lines(rows));
}

TEST(CsvReader, AQuotationMarkOutOfPlaceSpoilsOnlyItsRecord) {
    const QList<CsvRow> rows = CsvReader::ReadAll("one,1\n"
                                                  "\"bad\"x,2\n"
                                                  "three,3\n"
                                                  "\"open,4\n",
                                                  ',');
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].problem, CsvRow::Problem::None);
    EXPECT_EQ(rows[1].problem, CsvRow::Problem::StrayQuote);
    EXPECT_EQ(rows[1].line, 2);
    EXPECT_EQ(Fields({rows[2]}), QList<QStringList>({{"three", "3"}}));
    EXPECT_EQ(rows[2].line, 3);
    EXPECT_EQ(rows[3].problem, CsvRow::Problem::UnclosedQuote);
    EXPECT_EQ(rows[3].line, 4);

    // A quotation mark that never closes costs its own line only: the lines it had taken
    // into its field are read again as records, whether the file ends inside the field
    // or another mark out of place ends it; given in pieces or whole.
    const QByteArray open = "one,1\r\n"
                            "\"open,2\r\n"
                            "three,3\r\n"
                            "\"four\r\nstill four\",4\r\n"
                            "five,\"5\"x\r\n"
                            "six,6\r\n"
                            "\"seven\r\n"
                            "eight,8";
    for (int piece : {1, 7, 1000}) {
        SCOPED_TRACE(piece);
        CsvReader reader(',');
        for (qsizetype at = 0; at < open.size(); at += piece)
            reader.Feed(
                QByteArrayView(open).sliced(at, std::min<qsizetype>(piece, open.size() - at)));
        reader.Finish();
        QList<CsvRow> read;
        for (CsvRow row; reader.TakeRow(row);)
            read << row;
        EXPECT_EQ(Lines(read), QList<qint64>({1, 2, 3, 4, 6, 7, 8, 9}));
        QList<CsvRow::Problem> problems;
        for (const CsvRow& row : read)
            problems << row.problem;
        using P = CsvRow::Problem;
        // Line 2's field runs on until the mark that opens line 4 ends it out of place.
        EXPECT_EQ(problems, QList<P>({P::None, P::StrayQuote, P::None, P::None, P::StrayQuote,
                                      P::None, P::UnclosedQuote, P::None}));
        EXPECT_EQ(Fields(read)[3], QStringList({"four\r\nstill four", "4"}));
        EXPECT_EQ(Fields(read)[5], QStringList({"six", "6"}));
        EXPECT_EQ(Fields(read)[7], QStringList({"eight", "8"}));
    }
}

TEST(CsvReader, TheDelimiterIsTheOneThatSplitsTheFirstLinesEvenly) {
    EXPECT_EQ(CsvReader::DetectDelimiter("Name,City\nSmith,Dayton\n"), ',');
    EXPECT_EQ(CsvReader::DetectDelimiter("Name;City;Zip\n\"Smith, John\";Dayton;45402\n"), ';');
    EXPECT_EQ(CsvReader::DetectDelimiter("Name\tCity\nSmith, John\tDayton\n"), '\t');
    // Commas in a field do not count; a comma in every line does, against an uneven tab.
    EXPECT_EQ(CsvReader::DetectDelimiter("a;\"b,c,d\"\ne;f\n"), ';');
    EXPECT_EQ(CsvReader::DetectDelimiter("a,b\tc\nd,e\n"), ',');
    EXPECT_EQ(CsvReader::DetectDelimiter("just one column\n"), ',');
    // A line cut off by the end of the sample does not spoil an even split.
    EXPECT_EQ(CsvReader::DetectDelimiter("a;b;c\nd;e;f\ng;h"), ';');
}

TEST(CsvWriter, QuotesOnlyWhereNeeded) {
    EXPECT_EQ(CsvLine({"plain", " blanks ", "a,b", "say \"hi\"", "two\r\nlines", ""}),
              "plain, blanks ,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",");
    EXPECT_EQ(CsvLine({"a;b", "c,d"}, ';'), "\"a;b\";c,d");
}

TEST(ColumnHeadings, AddressBookNamesFindTheirItems) {
    // Google Contacts' and Outlook's names, and the program's own captions, whatever their
    // case, blanks and punctuation.
    EXPECT_EQ(ItemForHeading("Given Name"), FirstName);
    EXPECT_EQ(ItemForHeading("SURNAME"), LastName);
    EXPECT_EQ(ItemForHeading("e-mail address"), EMail);
    EXPECT_EQ(ItemForHeading("Email"), EMail);
    EXPECT_EQ(ItemForHeading("Postal Code"), Zip);
    EXPECT_EQ(ItemForHeading("zip_code"), Zip);
    EXPECT_EQ(ItemForHeading("Address 1 - Region"), State);
    EXPECT_EQ(ItemForHeading("Mobile Phone"), Phone);
    EXPECT_EQ(ItemForHeading("CarrierRoute"), CarRt);
    EXPECT_EQ(ItemForHeading("Date of Last Edit"), LastEdit);
    EXPECT_EQ(ItemForHeading("Birthday"), -1);

    // A company is the first address line, before the streets, in whatever column order;
    // a second phone number and a fourth address line are skipped and listed.
    const HeadingMap map = MapHeadings({"First Name", "Last Name", "Address 2", "Street", "Company",
                                        "Phone", "Mobile", "Address 3", "Birthday"});
    EXPECT_EQ(map.fields, QList<int>({FirstName, LastName, AddressLine3, AddressLine2, AddressLine1,
                                      Phone, Skip, Skip, Skip}));
    EXPECT_EQ(map.unmatched, QStringList({"Mobile", "Address 3", "Birthday"}));
    // The program's own header maps back to its own items.
    QStringList captions;
    for (int code : StandardTransferItems())
        captions << TransferItemCaption(code);
    EXPECT_EQ(MapHeadings(captions).fields, StandardTransferItems());

    EXPECT_TRUE(LooksLikeHeader({"Nickname", "Town"}));
    EXPECT_FALSE(LooksLikeHeader({"Smith; John", "12 Oak St", "Dayton"}));
}

namespace {

class CsvFileTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_list = MakeList();
        if (QStandardPaths::findExecutable("python3").isEmpty())
            GTEST_SKIP() << "python3 is needed to write and read CSV files independently";
    }

    // Runs a Python script with the rows (a JSON array of arrays of strings) in a variable
    // "rows"; fails the test when it fails.
    static void RunPython(const QString& script, const QJsonArray& rows = {}) {
        QProcess python;
        python.start("python3",
                     {"-c", "import csv, json, sys\nrows = json.loads(sys.argv[1])\n" + script,
                      QString::fromUtf8(QJsonDocument(rows).toJson())});
        ASSERT_TRUE(python.waitForFinished(30000));
        ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    }

    static QJsonArray Json(const QList<QStringList>& rows) {
        QJsonArray array;
        for (const QStringList& row : rows)
            array.append(QJsonArray::fromStringList(row));
        return array;
    }

    // Writes rows with Python's csv module.
    void WriteWithPython(const QString& name, const QList<QStringList>& rows,
                         const QString& encoding, const QString& delimiter,
                         const QString& quoting) {
        RunPython(
            QStringLiteral("with open(%1, 'w', newline='', encoding='%2') as f:\n"
                           "    csv.writer(f, delimiter='%3', quoting=csv.%4).writerows(rows)\n")
                .arg(PyString(Path(name)), encoding, delimiter, quoting),
            Json(rows));
    }

    static QString PyString(const QString& text) {
        return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact))
            .mid(1)
            .chopped(1);
    }

    QString m_list;
};

// An address book's export: Google Contacts' column names, non-ASCII names, an address and
// a note of two lines, quotation marks, and a column no item takes.
const QList<QStringList> kContacts = {
    {"First Name", "Last Name", "Organization Name", "Address 1 - Street", "Address 1 - City",
     "Address 1 - Region", "Address 1 - Postal Code", "E-mail 1 - Value", "Phone 1 - Value",
     "Birthday", "Notes"},
    {"José", "Peña", "", "12 Oak St\nSuite 4", "Dayton", "OH", "45402-1234", "jose@example.com",
     "(937) 555-1234", "1990-01-01", "Said \"call me\",\nthen left"},
    {"Zoë", "Müller-Lüdenscheidt", "Acme; Co", "1 Main St", "Köln", "NW", "50667", "", "", "", ""},
    {"Ann", "O'Brien", "", "3 Way", "Madison", "WI", "53703", "", "608 555 0101", "", "€ 25"},
};

} // namespace

TEST_F(CsvFileTest, AddressBookExportsInEveryFormSpreadsheetsWrite) {
    struct Form {
        const char* encoding;
        const char* delimiter;
        const char* quoting;
    };
    const Form forms[] = {{"utf-8", ",", "QUOTE_MINIMAL"},
                          {"utf-8-sig", ";", "QUOTE_ALL"},
                          {"cp1252", ";", "QUOTE_MINIMAL"},
                          {"utf-8-sig", "\\t", "QUOTE_MINIMAL"},
                          // Excel's "Unicode Text": UTF-16 with its mark, tab separated.
                          {"utf-16", "\\t", "QUOTE_MINIMAL"}};
    int file = 0;
    for (const Form& form : forms) {
        SCOPED_TRACE(std::string(form.encoding) + " " + form.delimiter + " " + form.quoting);
        MakeList(QStringLiteral("Form%1.mdb").arg(++file));
        const QString path = Path(QStringLiteral("contacts%1.csv").arg(file));
        WriteWithPython(QStringLiteral("contacts%1.csv").arg(file), kContacts, form.encoding,
                        form.delimiter, form.quoting);
        ImportOptions options;
        options.fields = StandardTransferItems(); // the header's names win over these
        options.delimiter = Delimiter::Csv;
        const ImportResult result = ImportTextFile(path, options);
        EXPECT_EQ(result.added, 3);
        EXPECT_EQ(result.notImported, 0);
        EXPECT_EQ(ImportReportText(result),
                  "3 records were imported.\nColumns not imported: \"Birthday\"");
        const std::vector<ListRecord> stored = StoredRecords();
        ASSERT_EQ(stored.size(), 3u);
        EXPECT_EQ(stored[0].Name, QString::fromUtf8("Peña; José"));
        EXPECT_EQ(stored[0].Address, "12 Oak St\r\nSuite 4");
        EXPECT_EQ(stored[0].Zip, "454021234");
        EXPECT_EQ(stored[0].Phone, "9375551234");
        EXPECT_EQ(stored[0].EMail, "jose@example.com");
        EXPECT_EQ(stored[0].Notes, "Said \"call me\",\r\nthen left");
        EXPECT_EQ(stored[1].Name, QString::fromUtf8("Müller-Lüdenscheidt; Zoë"));
        EXPECT_EQ(stored[1].Address, "Acme; Co\r\n1 Main St");
        EXPECT_EQ(stored[1].City, QString::fromUtf8("Köln"));
        EXPECT_EQ(stored[2].Name, "O'Brien; Ann");
        EXPECT_EQ(stored[2].Notes, QString::fromUtf8("€ 25"));
        EXPECT_EQ(stored[2].Phone, "6085550101");
    }
}

TEST_F(CsvFileTest, BadBytesInAUtf8FileAreReplacedAndTold) {
    // A byte-order mark says UTF-8: one stray byte spoils one character, not every name.
    WriteBytes(Path("bad.csv"), "\xEF\xBB\xBFName,City\r\n"
                                "Pe\xC3\xB1"
                                "a,K\xC3\xB6ln\r\n"
                                "M\xFCller,Bonn\r\n"
                                "Gro\xC3\x9F,Wien\r\n");
    ImportOptions options;
    options.delimiter = Delimiter::Csv;
    const ImportResult result = ImportTextFile(Path("bad.csv"), options);
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(result.badByteLines, 1);
    EXPECT_EQ(ImportReportText(result),
              QString::fromUtf8("3 records were imported.\n1 line held characters that are not "
                                "UTF-8 (shown as \uFFFD): line 3"));
    const std::vector<ListRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].Name, QString::fromUtf8("Peña"));
    EXPECT_EQ(stored[1].Name, QString::fromUtf8("M\uFFFDller"));
    EXPECT_EQ(stored[2].Name, QString::fromUtf8("Groß"));
}

TEST_F(CsvFileTest, ExportedCsvReadsBackInPythonAndImportsIdentically) {
    std::vector<ListRecord> originals(3);
    originals[0].Name = "O'Brien; Siobhan";
    // Four address lines: the third column takes the rest, so none is lost.
    originals[0].Address = "Acme, Inc.\r\n14 O'Connell Ct\r\nFlat 2\r\nRear";
    originals[0].City = QString::fromUtf8("Peñasco");
    originals[0].State = "NM";
    originals[0].Zip = "875610000";
    originals[0].Phone = "5055550101";
    originals[0].Attention = QString::fromUtf8("Jürgen \"JJ\" Groß");
    originals[0].Switches = "1000000000000001";
    originals[0].Notes =
        QString::fromUtf8("Don't call; write.\r\n€ 25 pledged, \"maybe\"\r\n第二行");
    originals[0].LastEdit = QDate(2002, 3, 7);
    originals[1].Name = "Acme Corp";
    originals[1].Address = "1 Main St";
    originals[1].Zip = "454020000";
    originals[1].Phone = "0000000000";
    originals[1].Switches = "0000000000000000";
    originals[1].LastEdit = QDate(2026, 1, 31);
    originals[2].Name = "Zeta; Anna";
    originals[2].Zip = "000000000";
    originals[2].Phone = "0000000000";
    originals[2].Switches = "0100000000000000";
    {
        ListCore store;
        for (const ListRecord& r : originals)
            ASSERT_TRUE(store.NewRecord(r));
    }
    ExportOptions options;
    options.fields = StandardTransferItems();
    options.delimiter = Delimiter::Csv;
    ASSERT_EQ(WriteDelimitedFile(Path("out.csv"), options), WriteResult::Written);
    const QByteArray bytes = ReadBytes(Path("out.csv"));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFName,Address Line 1,Address Line 2,"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));

    // Python reads the same values, quotes and line breaks included.
    RunPython(
        QStringLiteral("with open(%1, newline='', encoding='utf-8-sig') as f:\n"
                       "    got = list(csv.reader(f))\n"
                       "if got != rows:\n"
                       "    sys.exit('python read: ' + repr(got) + '\\nexpected: ' + repr(rows))\n")
            .arg(PyString(Path("out.csv"))),
        Json({{"Name", "Address Line 1", "Address Line 2", "Address Line 3", "City", "State",
               "Zip Code", "E-Mail Address", "Phone", "Attention Line", "Code", "Carrier Route",
               "Switches", "Notes", "Date of Last Edit"},
              {"Acme Corp", "1 Main St", "", "", "", "", "454020000", "", "0000000000", "", "", "",
               "0000000000000000", "", "2026-01-31"},
              {"O'Brien; Siobhan", "Acme, Inc.", "14 O'Connell Ct", "Flat 2\r\nRear",
               QString::fromUtf8("Peñasco"), "NM", "875610000", "", "5055550101",
               QString::fromUtf8("Jürgen \"JJ\" Groß"), "", "", "1000000000000001",
               QString::fromUtf8("Don't call; write.\r\n€ 25 pledged, \"maybe\"\r\n第二行"),
               "2002-03-07"},
              {"Zeta; Anna", "", "", "", "", "", "000000000", "", "0000000000", "", "", "",
               "0100000000000000", "", ""}}));

    // Imported into a new list, every record comes back as it was.
    MakeList("Back.mdb");
    ImportOptions back;
    back.delimiter = Delimiter::Csv;
    const ImportResult result = ImportTextFile(Path("out.csv"), back);
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(ImportReportText(result), "3 records were imported.");
    const std::vector<ListRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 3u);
    const ListRecord* expected[] = {&originals[1], &originals[0], &originals[2]}; // name order
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const ListRecord& want = *expected[i];
        EXPECT_EQ(stored[i].Name, want.Name);
        EXPECT_EQ(stored[i].Address, want.Address);
        EXPECT_EQ(stored[i].City, want.City);
        EXPECT_EQ(stored[i].Zip, want.Zip);
        EXPECT_EQ(stored[i].Phone, want.Phone);
        EXPECT_EQ(stored[i].Attention, want.Attention);
        EXPECT_EQ(stored[i].Switches, want.Switches);
        EXPECT_EQ(stored[i].Notes, want.Notes);
        EXPECT_EQ(stored[i].LastEdit, want.LastEdit); // an empty date stays no date
    }
}

TEST_F(CsvFileTest, APlanShowsTheMappingAndFirstRecordsAndStoresNothing) {
    QList<QStringList> rows = kContacts;
    for (int i = 0; i < 30; ++i)
        rows << QStringList{"Extra", QString::number(i), "", "", "", "", "", "", "", "", ""};
    rows.insert(2, {"Too", "Many", "", "", "", "", "", "", "", "", "", "x"});
    WriteWithPython("plan.csv", rows, "utf-8", ";", "QUOTE_MINIMAL");
    ImportOptions options;
    options.delimiter = Delimiter::Csv;
    const ImportPlan plan = PlanImport(Path("plan.csv"), options);
    ASSERT_TRUE(plan.readable);
    EXPECT_EQ(plan.csvDelimiter, ';');
    EXPECT_TRUE(plan.header);
    EXPECT_EQ(plan.headings, kContacts[0]);
    EXPECT_EQ(plan.fields, QList<int>({FirstName, LastName, AddressLine1, AddressLine2, City, State,
                                       Zip, EMail, Phone, Skip, Notes}));
    EXPECT_EQ(plan.unmatched, QStringList("Birthday"));
    EXPECT_EQ(plan.rows.size(), 20);
    EXPECT_EQ(plan.columns, 12);
    ListRecord record;
    QString reason;
    EXPECT_EQ(PlannedRecord(plan.rows[0], plan.fields, QDate(2026, 1, 2), record, reason),
              LineFault::None);
    EXPECT_EQ(PreviewValues(record),
              QStringList({QString::fromUtf8("Peña; José"), "12 Oak St\r\nSuite 4", "Dayton", "OH",
                           "454021234", "jose@example.com", "9375551234", "", "", "",
                           "0000000000000000", "Said \"call me\",\r\nthen left", "2026-01-02"}));
    EXPECT_EQ(plan.rows[1].line, 5); // after the two lines of the first record's fields
    EXPECT_EQ(PlannedRecord(plan.rows[1], plan.fields, QDate(2026, 1, 2), record, reason),
              LineFault::TooManyFields);
    EXPECT_EQ(reason, "too many fields");
    // The window's own list of items stands when the headings do not choose them.
    options.headingsChooseFields = false;
    options.fields = {Name, City};
    const ImportPlan mine = PlanImport(Path("plan.csv"), options);
    EXPECT_EQ(mine.fields, QList<int>({Name, City}));
    EXPECT_EQ(mine.unmatched.size(), 9);
    EXPECT_EQ(Connection::Open(m_list)->QueryNumber("SELECT count(*) FROM List"), 0);
}

TEST_F(CsvFileTest, Utf16TextInEitherByteOrderWithItsBrokenUnitsTold) {
    // "Zoë 𝄞" (a character outside the 16-bit range) on line 1; a lone surrogate on line 2.
    const QString names[] = {QString::fromUtf8("Zo\u00EB \U0001D11E"), "Bad"};
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        MakeList(bigEndian ? "Big.mdb" : "Little.mdb");
        QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
        const QString text = names[0] + "\tK\u00F6ln\r\n" + names[1] + QChar(0xD800) + "\tBonn\r\n";
        for (QChar c : text) {
            const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
            bytes += bigEndian ? QByteArray{1, high} + low : QByteArray{1, low} + high;
        }
        WriteBytes(Path("unicode.txt"), bytes);
        const ImportResult result =
            ImportTextFile(Path("unicode.txt"), {Name, City}, Delimiter::Tab);
        EXPECT_EQ(result.added, 2);
        EXPECT_EQ(result.firstBadByteLines, QList<qint64>{2});
        const std::vector<ListRecord> stored = StoredRecords();
        ASSERT_EQ(stored.size(), 2u);
        EXPECT_EQ(stored[0].Name, names[0]);
        EXPECT_EQ(stored[0].City, QString::fromUtf8("Köln"));
        EXPECT_EQ(stored[1].Name, QString::fromUtf8("Bad\uFFFD"));
    }
}

TEST_F(CsvFileTest, TheFirstLineIsAHeaderOrARecordAsTheUserSays) {
    // A first record whose company is "Company" looks like a header; a header in French
    // names nothing the program knows.
    WriteWithPython("data.csv", {{"Acme", "Company"}, {"Bolt", "Works"}}, "utf-8", ",",
                    "QUOTE_MINIMAL");
    WriteWithPython("french.csv", {{"Nom", "Ville"}, {"Dupont", "Lyon"}}, "utf-8", ",",
                    "QUOTE_MINIMAL");
    ImportOptions options;
    options.delimiter = Delimiter::Csv;
    options.fields = {Name, City};
    EXPECT_TRUE(PlanImport(Path("data.csv"), options).header);
    EXPECT_FALSE(PlanImport(Path("french.csv"), options).header);
    options.headingsChooseFields = false;
    options.firstLine = FirstLine::Data;
    EXPECT_EQ(ImportTextFile(Path("data.csv"), options).added, 2);
    options.firstLine = FirstLine::Header;
    const ImportResult french = ImportTextFile(Path("french.csv"), options);
    EXPECT_EQ(french.added, 1);
    const std::vector<ListRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].Name, "Acme");
    EXPECT_EQ(stored[0].City, "Company");
    EXPECT_EQ(stored[2].Name, "Dupont");
}
