#include "list_generator.h"

#include "bench_random.h"

#include "database/connection.h"
#include "database/filter_record.h"
#include "database/new_database.h"
#include "database/statement.h"
#include "filters/build_filter_query.h"

#include <QDate>
#include <QFile>
#include <stdexcept>

const char* const kBenchFilterName = "Bench zip range";

namespace {

const char* const kLastNames[] = {
    "Smith",    "Johnson",   "Williams",   "Brown",     "Jones",    "Garcia",   "Miller",
    "Davis",    "Rodriguez", "Martinez",   "Hernandez", "Lopez",    "Gonzalez", "Wilson",
    "Anderson", "Thomas",    "Taylor",     "Moore",     "Jackson",  "Martin",   "Lee",
    "Perez",    "Thompson",  "White",      "Harris",    "Sanchez",  "Clark",    "Ramirez",
    "Lewis",    "Robinson",  "Walker",     "Young",     "Allen",    "King",     "Wright",
    "Scott",    "Torres",    "Nguyen",     "Hill",      "Flores",   "Green",    "Adams",
    "Nelson",   "Baker",     "Hall",       "Rivera",    "Campbell", "Mitchell", "Carter",
    "Roberts",  "Gomez",     "Phillips",   "Evans",     "Turner",   "Diaz",     "Parker",
    "Cruz",     "Edwards",   "Collins",    "Reyes",     "Stewart",  "Morris",   "Morales",
    "Murphy",   "Cook",      "Rogers",     "Gutierrez", "Ortiz",    "Morgan",   "Cooper",
    "Peterson", "Bailey",    "Reed",       "Kelly",     "Howard",   "Ramos",    "Kim",
    "Cox",      "Ward",      "Richardson", "Watson",    "Brooks",   "Chavez",   "Wood",
    "James",    "Bennett",   "Gray",       "Mendoza",   "Ruiz",     "Hughes",   "Price",
    "Alvarez",  "Castillo",  "Sanders",    "Patel",     "Myers",    "Long",     "Ross",
    "Foster",   "Jimenez",   "O'Brien",    "O'Neil",    "McCarthy", "Sullivan", "Fischer",
    "Schmidt",  "Novak",     "Kowalski",   "Olsen",     "Larsen",   "Dubois",   "Rossi"};

const char* const kFirstNames[] = {
    "James",   "Mary",      "Robert",  "Patricia",  "John",    "Jennifer", "Michael", "Linda",
    "David",   "Elizabeth", "William", "Barbara",   "Richard", "Susan",    "Joseph",  "Jessica",
    "Thomas",  "Sarah",     "Charles", "Karen",     "Chris",   "Lisa",     "Daniel",  "Nancy",
    "Matthew", "Betty",     "Anthony", "Margaret",  "Mark",    "Sandra",   "Donald",  "Ashley",
    "Steven",  "Kimberly",  "Paul",    "Emily",     "Andrew",  "Donna",    "Joshua",  "Michelle",
    "Kenneth", "Carol",     "Kevin",   "Amanda",    "Brian",   "Dorothy",  "George",  "Melissa",
    "Timothy", "Deborah",   "Ronald",  "Stephanie", "Edward",  "Rebecca",  "Jason",   "Sharon",
    "Jeffrey", "Laura",     "Ryan",    "Cynthia",   "Jacob",   "Kathleen", "Gary",    "Amy"};

struct Place {
    const char* city;
    const char* state;
    const char* zip3; // the first three digits of the city's ZIP codes
};

const Place kPlaces[] = {
    {"Portsmouth", "NH", "038"},     {"Boston", "MA", "021"},       {"Providence", "RI", "029"},
    {"Hartford", "CT", "061"},       {"Burlington", "VT", "054"},   {"Portland", "ME", "041"},
    {"New York", "NY", "100"},       {"Brooklyn", "NY", "112"},     {"Albany", "NY", "122"},
    {"Newark", "NJ", "071"},         {"Philadelphia", "PA", "191"}, {"Pittsburgh", "PA", "152"},
    {"Baltimore", "MD", "212"},      {"Washington", "DC", "200"},   {"Richmond", "VA", "232"},
    {"Charlotte", "NC", "282"},      {"Columbia", "SC", "292"},     {"Atlanta", "GA", "303"},
    {"Miami", "FL", "331"},          {"Orlando", "FL", "328"},      {"Nashville", "TN", "372"},
    {"Louisville", "KY", "402"},     {"Columbus", "OH", "432"},     {"Cleveland", "OH", "441"},
    {"Detroit", "MI", "482"},        {"Indianapolis", "IN", "462"}, {"Chicago", "IL", "606"},
    {"Milwaukee", "WI", "532"},      {"Minneapolis", "MN", "554"},  {"Des Moines", "IA", "503"},
    {"St. Louis", "MO", "631"},      {"Omaha", "NE", "681"},        {"Wichita", "KS", "672"},
    {"New Orleans", "LA", "701"},    {"Little Rock", "AR", "722"},  {"Oklahoma City", "OK", "731"},
    {"Dallas", "TX", "752"},         {"Houston", "TX", "770"},      {"Austin", "TX", "787"},
    {"Denver", "CO", "802"},         {"Cheyenne", "WY", "820"},     {"Boise", "ID", "837"},
    {"Salt Lake City", "UT", "841"}, {"Phoenix", "AZ", "850"},      {"Albuquerque", "NM", "871"},
    {"Las Vegas", "NV", "891"},      {"Los Angeles", "CA", "900"},  {"San Diego", "CA", "921"},
    {"San Francisco", "CA", "941"},  {"Sacramento", "CA", "958"},   {"Honolulu", "HI", "968"},
    {"Portland", "OR", "972"},       {"Seattle", "WA", "981"},      {"Spokane", "WA", "992"},
    {"Anchorage", "AK", "995"},      {"Billings", "MT", "591"},     {"Fargo", "ND", "581"},
    {"Sioux Falls", "SD", "571"},    {"Jackson", "MS", "392"},      {"Birmingham", "AL", "352"}};

const char* const kStreets[] = {"Main St",      "Oak Ave",         "Maple Dr", "Cedar Ln",
                                "Elm St",       "Washington Blvd", "Park Ave", "Lake Rd",
                                "Hill St",      "Pine Ct",         "River Rd", "Church St",
                                "Highland Ave", "Sunset Blvd",     "Mill Rd",  "Spring St"};
const char* const kSecondLines[] = {"Apt ", "Suite ", "Unit ", "PO Box ", "Fl "};
const char* const kCompanies[] = {"Acme Corp",    "Globex Inc",       "Initech",
                                  "Umbrella LLC", "Stark Industries", "Wayne Enterprises",
                                  "Hooli"};
const char* const kDomains[] = {"example.com", "mail.example.org", "post.example.net",
                                "inbox.example.us"};
const char* const kCodes[] = {"",      "",    "",      "MEMBER", "DONOR",
                              "PRESS", "VIP", "STAFF", "LAPSED", "BOARD"};
const char* const kNotes[] = {"Prefers e-mail.", "Annual gala guest.",
                              "Moved last spring; new address confirmed.",
                              "Do not call before 10 a.m.", "Sponsor since 2015."};

QString Switches(BenchRandom& random) {
    QString switches(16, QLatin1Char('0'));
    for (int i = 0; i < 16; ++i)
        if (random.Chance(20))
            switches[i] = QLatin1Char('1');
    return switches;
}

void WriteDefinitions(Connection& db) {
    db.Execute("INSERT INTO Control (Identification, DatabaseVersion, CurrentTemplate, "
               "CurrentFilter, CurrentLabel) VALUES ('Tessavane', 2, 0, 0, 0)");
    for (int i = 1; i <= 16; ++i)
        db.Execute(
            QStringLiteral("INSERT INTO SwitchNames (ID, Name) VALUES (%1, 'Switch %1')").arg(i));
    db.Execute("INSERT INTO Labels (LName, LRows, LCols, IndentTop, IndentLeft, RowDelta, "
               "ColDelta, LTypeSize) VALUES ('Avery 5160', 10, 3, 0.5, 0.1875, 1, 2.75, 10), "
               "('Avery 5161', 10, 2, 0.5, 0.15625, 1, 4.1875, 10)");
    db.Execute("INSERT INTO Template (TemplateName, State) VALUES ('Standard', 'MA')");

    FilterRecord filter;
    filter.FilterName = kBenchFilterName;
    filter.StartZip = "300000000";
    filter.EndZip = "599999999";
    filter.StartPhone = filter.EndPhone = "0000000000";
    filter.OrSelect = "1000000000000000";
    filter.Sequence = 3;
    filter.Query = BuildFilterQuery(filter);
    Statement insert = db.Prepare(
        "INSERT INTO Filter (FilterName, StartName, EndName, StartCity, EndCity, StartState, "
        "EndState, StartZip, EndZip, StartEMail, EndEMail, StartPhone, EndPhone, StartCode, "
        "EndCode, StartCarRt, EndCarRt, StartDate, EndDate, OrSelect, AndSelect, AndReject, "
        "OrReject, Marked, Imported, Sequence, Query) VALUES (?, '', '', '', '', '', '', ?, ?, "
        "'', '', ?, ?, '', '', '', '', '1899-12-30', '1899-12-30', ?, ?, ?, ?, 0, 0, ?, ?)");
    insert.Bind(1, filter.FilterName)
        .Bind(2, filter.StartZip)
        .Bind(3, filter.EndZip)
        .Bind(4, filter.StartPhone)
        .Bind(5, filter.EndPhone)
        .Bind(6, filter.OrSelect)
        .Bind(7, filter.AndSelect)
        .Bind(8, filter.AndReject)
        .Bind(9, filter.OrReject)
        .Bind(10, filter.Sequence)
        .Bind(11, filter.Query)
        .Run();
}

void WriteRecords(Connection& db, int records) {
    BenchRandom random(20240517);
    const QDate firstDay(2010, 1, 1);
    const int days = int(firstDay.daysTo(QDate(2025, 12, 31)));
    Statement insert = db.Prepare(
        "INSERT INTO List (Name, Address, City, State, Zip, DPOverride, EMail, Phone, "
        "Attention, Code, CarRt, LastEdit, Switches, Notes, Marked, Imported) VALUES (?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < records; ++i) {
        const QString last = QString::fromLatin1(random.Pick(kLastNames));
        const QString first = QString::fromLatin1(random.Pick(kFirstNames));
        const Place& place = random.Pick(kPlaces);
        QString address = QStringLiteral("%1 %2")
                              .arg(1 + random.Below(9899))
                              .arg(QString::fromLatin1(random.Pick(kStreets)));
        const int lines = 1 + random.Below(3);
        if (lines >= 2)
            address += "\r\n" + QString::fromLatin1(random.Pick(kSecondLines)) +
                       QString::number(1 + random.Below(400));
        if (lines == 3)
            address = QString::fromLatin1(random.Pick(kCompanies)) + "\r\n" + address;
        const QString zip = QString::fromLatin1(place.zip3) + QString::fromLatin1(random.Digits(6));
        const QString phone =
            QString::number(200 + random.Below(790)) + QString::fromLatin1(random.Digits(7));
        // At most 1 + 1 + 10 + 2 + 1 + 16 characters: within the column's 35.
        const QString email = (first.left(1) + "." + last).toLower().remove('\'') +
                              QString::number(random.Below(100)) + "@" +
                              QString::fromLatin1(random.Pick(kDomains));
        const QString carRt =
            random.Chance(70)
                ? QStringLiteral("C%1").arg(1 + random.Below(99), 3, 10, QLatin1Char('0'))
                : QStringLiteral("R%1").arg(1 + random.Below(30), 3, 10, QLatin1Char('0'));
        insert.Bind(1, last + "; " + first)
            .Bind(2, address)
            .Bind(3, QString::fromLatin1(place.city))
            .Bind(4, QString::fromLatin1(place.state))
            .Bind(5, zip)
            .Bind(6, random.Chance(2) ? QString::fromLatin1(random.Digits(2)) : QString())
            .Bind(7, email)
            .Bind(8, phone)
            .Bind(9, random.Chance(5) ? QStringLiteral("Accounts Payable") : QString())
            .Bind(10, QString::fromLatin1(random.Pick(kCodes)))
            .Bind(11, carRt)
            .Bind(12, firstDay.addDays(random.Below(days + 1)).toString(Qt::ISODate))
            .Bind(13, Switches(random))
            .Bind(14, random.Chance(10) ? QString::fromLatin1(random.Pick(kNotes)) : QString(" "))
            .Bind(15, random.Chance(5) ? 1 : 0)
            .Bind(16, random.Chance(10) ? 1 : 0)
            .Run();
    }
}

} // namespace

void GenerateList(const QString& path, int records) {
    const QString work = path + ".part";
    QFile::remove(work);
    if (!CreateNewDatabase(work))
        throw std::runtime_error("Couldn't create " + work.toStdString());
    {
        auto db = Connection::Open(work);
        db->Execute("PRAGMA synchronous = OFF");
        Transaction transaction(*db);
        WriteDefinitions(*db);
        WriteRecords(*db, records);
        transaction.Commit();
    }
    QFile::remove(path);
    if (!QFile::rename(work, path))
        throw std::runtime_error("Couldn't move " + work.toStdString() + " into place");
}
