#include "import_bench.h"

#include "bench_random.h"

#include "app/settings.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/make_new_list.h"
#include "filters/import_export.h"
#include "filters/transfer_items.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace {

const char* const kLast[] = {"Smith",  "Johnson", "Garcia", "O'Brien", "Nguyen",   "Kowalski",
                             "Müller", "Peña",    "Rossi",  "Dubois",  "McCarthy", "Larsen",
                             "Taylor", "Brooks",  "Patel",  "Fischer", "Reyes",    "Young"};
const char* const kFirst[] = {"John", "Mary",   "José",  "Anna", "Wei",   "Siobhan",
                              "Ravi", "Zoë",    "Peter", "Lena", "Omar",  "Grace",
                              "Luis", "Chiara", "Tom",   "Ines", "Björn", "Fatima"};
const char* const kStreets[] = {"Main St", "Oak Ave", "Maple Dr", "Elm St", "Park Ave",
                                "Lake Rd", "Hill St", "Pine Ct",  "Mill Rd"};
struct Place {
    const char* city;
    const char* state;
    const char* zip3;
};
const Place kPlaces[] = {{"Dayton", "OH", "454"},   {"Boston", "MA", "021"},
                         {"Austin", "TX", "787"},   {"Denver", "CO", "802"},
                         {"Portland", "OR", "972"}, {"Madison", "WI", "537"},
                         {"Savannah", "GA", "314"}, {"Tucson", "AZ", "857"},
                         {"Albany", "NY", "122"},   {"Fresno", "CA", "937"}};
const char* const kCodes[] = {"", "", "MEMBER", "DONOR", "PRESS", "VIP", "STAFF"};
const char* const kNotes[] = {"",
                              "",
                              "",
                              "Prefers e-mail.",
                              "Annual gala guest.",
                              "Moved last spring.\nNew address confirmed.",
                              "Do not call before 10 a.m.\nSponsor since 2015."};

class Stopwatch {
public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

QString ImportFilePath(const QString& list, bool csv) {
    return QFileInfo(list).absoluteDir().filePath(
        QStringLiteral("import-%1.%2").arg(kImportFileLines).arg(csv ? "csv" : "ltx"));
}

// The import file, made once.
QString EnsureImportFile(const QString& list, bool csv = false) {
    const QString path = ImportFilePath(list, csv);
    if (!QFileInfo::exists(path))
        GenerateImportFile(path, kImportFileLines, csv);
    return path;
}

// A field of the CSV file, quoted only when it must be.
void AppendCsv(QByteArray& buffer, const QByteArray& field) {
    if (field.contains(',') || field.contains('"') || field.contains('\n')) {
        buffer += '"';
        buffer += QByteArray(field).replace("\"", "\"\"");
        buffer += '"';
    } else {
        buffer += field;
    }
}

// A new empty list beside the generated ones, made current.
QString FreshList(const QString& list, const QString& name) {
    const QString path = QFileInfo(list).absoluteDir().filePath(name);
    QFile::remove(path);
    // A run that was killed may have left the old file's journal, which must not be
    // played back into the new list.
    QFile::remove(path + "-journal");
    SaveCurrentListSetting(QString::fromLatin1(kNoDatabase));
    if (!MakeNewList(path, true, NewListOptions()))
        throw std::runtime_error("Couldn't make " + path.toStdString());
    SaveCurrentListSetting(path);
    return path;
}

QList<int> ImportFields() {
    using namespace TransferItem;
    return {Name,  AddressLine1, City, State, Zip,      EMail,
            Phone, Attention,    Code, CarRt, Switches, Notes};
}

double WriteWholeList(const QString& list, bool mailMerge) {
    {
        ControlCore control;
        control.SetCurrentFilter(0);
    }
    const QString target =
        QFileInfo(list).absoluteDir().filePath(mailMerge ? "merge-out.txt" : "export-out.ltx");
    ExportOptions options;
    options.fields = StandardTransferItems();
    options.mailMerge = mailMerge;
    Stopwatch watch;
    const WriteResult result = WriteDelimitedFile(target, options);
    const double seconds = watch.Seconds();
    QFile::remove(target);
    return result == WriteResult::Written ? seconds : -1;
}

} // namespace

void GenerateImportFile(const QString& path, int lines, bool csv) {
    const QString work = path + ".part";
    QFile file(work);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("Couldn't write " + work.toStdString());
    BenchRandom random(20261208);
    QByteArray buffer;
    if (csv) {
        QStringList captions;
        for (int code : ImportFields())
            captions << TransferItemCaption(code);
        buffer += captions.join(',').toUtf8() + "\r\n";
    }
    for (int i = 0; i < lines; ++i) {
        const Place& place = random.Pick(kPlaces);
        const QByteArray last = random.Pick(kLast);
        const QByteArray first = random.Pick(kFirst);
        QByteArray switches(16, '0');
        for (int s = 0; s < 16; ++s)
            if (random.Chance(20))
                switches[s] = '1';
        const QList<QByteArray> fields = {
            last + "; " + first,
            QByteArray::number(1 + random.Below(9899)) + ' ' + random.Pick(kStreets),
            place.city,
            place.state,
            QByteArray(place.zip3) + random.Digits(6),
            (first.left(1) + '.' + last).toLower().replace('\'', "") +
                QByteArray::number(random.Below(100)) + "@example.com",
            QByteArray::number(200 + random.Below(790)) + random.Digits(7),
            random.Chance(5) ? QByteArray("Accounts Payable") : QByteArray(),
            random.Pick(kCodes),
            QByteArray("C") + random.Digits(3),
            switches,
            random.Pick(kNotes)};
        if (csv) {
            for (int f = 0; f < fields.size(); ++f) {
                if (f > 0)
                    buffer += ',';
                AppendCsv(buffer, fields.at(f));
            }
            buffer += "\r\n";
        } else {
            buffer += '"';
            buffer += fields.at(0);
            for (int f = 1; f < fields.size(); ++f) {
                buffer += "\",\"";
                buffer += fields.at(f);
            }
            buffer += "\"\r\n";
        }
        if (buffer.size() > (1 << 20)) {
            file.write(buffer);
            buffer.clear();
        }
    }
    file.write(buffer);
    if (!file.flush())
        throw std::runtime_error("Couldn't write " + work.toStdString());
    file.close();
    QFile::remove(path);
    if (!QFile::rename(work, path))
        throw std::runtime_error("Couldn't move " + work.toStdString() + " into place");
}

double ImportQuoteCommaFile(const QString& list) {
    const QString file = EnsureImportFile(list);
    FreshList(list, "import-target.mdb");
    Stopwatch watch;
    const ImportResult result = ImportTextFile(file, ImportFields(), Delimiter::QuoteComma);
    const double seconds = watch.Seconds();
    return result.added == kImportFileLines ? seconds : -1;
}

double ImportCsvFile(const QString& list) {
    const QString file = EnsureImportFile(list, true);
    FreshList(list, "import-target.mdb");
    ImportOptions options;
    options.delimiter = Delimiter::Csv;
    Stopwatch watch;
    const ImportResult result = ImportTextFile(file, options);
    const double seconds = watch.Seconds();
    return result.added == kImportFileLines ? seconds : -1;
}

double SqliteImportReference(const QString& list) {
    const QString file = EnsureImportFile(list);
    const QString target = FreshList(list, "import-sqlite3.mdb");
    const QString script = QFileInfo(list).absoluteDir().filePath("import-sqlite3.sql");
    {
        QFile out(script);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return -1;
        out.write(".bail on\n"
                  "CREATE TEMP TABLE Staging (Name, Address, City, State, Zip, EMail, Phone, "
                  "Attention, Code, CarRt, Switches, Notes);\n");
        out.write(".import --csv --schema temp '" + QFile::encodeName(file) + "' Staging\n");
        out.write("INSERT INTO List (Name, Address, City, State, Zip, EMail, Phone, Attention, "
                  "Code, CarRt, LastEdit, Switches, Notes, Imported) SELECT Name, Address, City, "
                  "State, Zip, EMail, Phone, Attention, Code, CarRt, date('now'), Switches, "
                  "Notes, 1 FROM temp.Staging;\n");
    }
    const QByteArray command = "sqlite3 '" + QFile::encodeName(target) + "' < '" +
                               QFile::encodeName(script) + "' > /dev/null";
    Stopwatch watch;
    const int status = std::system(command.constData());
    const double seconds = watch.Seconds();
    if (status != 0)
        return -1; // no sqlite3 on this machine, or it failed
    auto db = Connection::Open(target);
    return db->QueryNumber("SELECT count(*) FROM List") == kImportFileLines ? seconds : -1;
}

double ExportList(const QString& list) {
    return WriteWholeList(list, false);
}

double MailMergeList(const QString& list) {
    return WriteWholeList(list, true);
}
