#include "bench_operations.h"

#include "bulk_bench.h"
#include "cli_bench.h"
#include "conversion_bench.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/list_core.h"
#include "database/statement.h"
#include "database/template_core.h"
#include "import_bench.h"
#include "label_bench.h"
#include "list_generator.h"
#include "report_bench.h"
#include "startup_bench.h"

#include <QDate>
#include <QStringList>
#include <chrono>

namespace {

constexpr int kMoves = 10000;
constexpr int kSeeks = 1000;

class Stopwatch {
public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

qint64 BenchFilterId(const QString& list) {
    auto db = Connection::Open(list);
    Statement find = db->Prepare("SELECT ID FROM Filter WHERE FilterName = ?");
    find.Bind(1, QString::fromLatin1(kBenchFilterName));
    return find.Step() ? find.Number(0) : 0;
}

void SetCurrentFilterOfList(qint64 id) {
    ControlCore control;
    control.SetCurrentFilter(id);
}

// Keeps the optimiser from dropping reads whose results are otherwise unused.
volatile qint64 g_sink = 0;

void ReadWholeRecord(ListCore& list) {
    qint64 length = list.ID() + list.Marked() + list.Imported() + list.LastEdit().day();
    for (const QString& text : {list.Name(), list.Address(), list.City(), list.State(), list.Zip(),
                                list.EMail(), list.Phone(), list.Attention(), list.Code(),
                                list.CarRt(), list.Switches(), list.DPOverride(), list.Notes()})
        length += text.size();
    g_sink = g_sink + length;
}

double OpenMainStores(const QString&) {
    SetCurrentFilterOfList(0);
    Stopwatch watch;
    ControlCore control;
    FilterCore filters;
    TemplateCore templates;
    ListCore list;
    list.SetCurrentFilter();
    g_sink = g_sink + list.Records() + filters.Records() + templates.Records();
    ReadWholeRecord(list);
    return watch.Seconds();
}

double ApplyFilter(const QString& path) {
    SetCurrentFilterOfList(BenchFilterId(path));
    ListCore list;
    Stopwatch watch;
    list.SetCurrentFilter();
    g_sink = g_sink + list.Records();
    const double seconds = watch.Seconds();
    SetCurrentFilterOfList(0);
    return seconds;
}

double BareFilterQuery(const QString& path) {
    QString sql;
    {
        FilterCore filters;
        filters.MoveToName(QString::fromLatin1(kBenchFilterName), true);
        sql = filters.Query();
    }
    auto db = Connection::Open(path);
    Stopwatch watch;
    Statement query = db->Prepare(sql);
    qint64 rows = 0;
    while (query.Step())
        rows += query.Number(0) > 0;
    g_sink = g_sink + rows;
    return watch.Seconds();
}

double MoveUpSteps(ListCore& list) {
    list.FirstRecord();
    Stopwatch watch;
    for (int i = 0; i < kMoves; ++i)
        if (!list.MoveUp())
            list.FirstRecord();
    return watch.Seconds();
}

double MoveUpTable(const QString&) {
    ListCore list;
    return MoveUpSteps(list);
}

double MoveUpQuery(const QString& path) {
    SetCurrentFilterOfList(BenchFilterId(path));
    ListCore list;
    list.SetCurrentFilter();
    SetCurrentFilterOfList(0);
    return MoveUpSteps(list);
}

double NameSeeks(const QString&) {
    ListCore list;
    // Prefixes that mostly fall between stored names, so that the seeks are not exact.
    const QStringList prefixes = {"Ad",  "Bak",    "Cam", "Dia", "Ev", "Fos", "Gar", "Hal",
                                  "Jam", "Kel",    "Lo",  "Mil", "Ng", "O'B", "Pat", "Ro",
                                  "Smi", "Tho; J", "Wal", "Yo",  "Zz", "Mc",  "Sch", "Kow"};
    Stopwatch watch;
    for (int i = 0; i < kSeeks; ++i)
        list.MoveToName(prefixes[i % prefixes.size()] + QString(QChar('a' + i % 26)), false);
    return watch.Seconds();
}

double CountTable(const QString&) {
    ListCore list;
    Stopwatch watch;
    g_sink = g_sink + list.Records();
    return watch.Seconds();
}

double SearchInFilter(const QString& path) {
    SetCurrentFilterOfList(BenchFilterId(path));
    ListCore list;
    list.SetCurrentFilter();
    SetCurrentFilterOfList(0);
    Stopwatch watch;
    // Milwaukee ZIPs sort late in the set, so the search runs through most of it.
    list.MoveToCity("Milwaukee", true);
    return watch.Seconds();
}

} // namespace

const std::vector<BenchOperation>& BenchOperations() {
    static const std::vector<BenchOperation> operations = {
        {"open", "open main stores + first record", 0.3, 1, OpenMainStores, false},
        {"startup", "start the program, first record shown", 0.5, 1, StartProgram, false},
        {"startup-filter", "  the same with the zip filter current", 0.5, 1, StartProgramFiltered,
         false},
        {"filter", "SetCurrentFilter (zip, OrSelect, by zip) + Records", 0.5, 1, ApplyFilter, true},
        {"bare", "  bare SQLite query of that filter", 0, 1, BareFilterQuery, false},
        {"moveup-table", "10,000 MoveUp, table mode", 0.2, 1, MoveUpTable, false},
        {"moveup-query", "10,000 MoveUp, query mode", 0.2, 1, MoveUpQuery, false},
        {"seek", "MoveToName, not exact (per seek)", 0.001, kSeeks, NameSeeks, false},
        {"count", "  Records, table mode", 0, 1, CountTable, false},
        {"search", "  MoveToCity in the filter (late match)", 0, 1, SearchInFilter, false},
        {"labels", "labels to PDF, 9-digit bars, 5160 (PDF < 20 MB)", 10, 1, PrintLabelsToPdf,
         false, 10000},
        {"preview", "label preview: first page drawn, 9-digit bars, 5160", 1, 1,
         PreviewLabelsFirstPage, false, 10000},
        {"report", "record list to PDF, no filter", 10, 1, PrintRecordListToPdf, false, 10000},
        {"textfile", "record list to a text file, no filter", 5, 1, WriteListTextFile, false,
         1000000},
        {"grid", "grid: first rows on a filter of every record", 1, 1, OpenGridOnWholeList, true,
         1000000},
        {"convert-jet", "convert the Jet fixture big-v2.mdb (20,000 records)", 2, 1,
         ConvertJetFixture, false, 10000},
        {"convert-v1", "convert a version-1 list", 30, 1, ConvertVersion1List, false, 1000000},
        {"import-sqlite3", "sqlite3 .import --csv of the 1,000,000-line file", 0, 1,
         SqliteImportReference, false, 1000000},
        {"import", "import 1,000,000 quote-comma lines of 12 fields", 0, 1, ImportQuoteCommaFile,
         false, 1000000, 100, "import-sqlite3", 1.0},
        {"import-csv", "import the same records as CSV with a header line", 0, 1, ImportCsvFile,
         false, 1000000, 100, "import-sqlite3", 1.2},
        {"export", "export every record, 15 items, quote comma", 3, 1, ExportList, false, 0, 100},
        {"mailmerge", "mail-merge file of every record, 15 items", 3, 1, MailMergeList, false, 0,
         100},
        {"cli-export", "lettrino-cli export of every record, end to end", 3, 1, CliExportList,
         false, 1000000},
        {"cli-labels", "lettrino-cli labels to PDF, 9-digit bars, 5160, end to end", 10, 1,
         CliLabels, false, 10000},
        {"duplicates", "duplicate check of the whole list", 10, 1, CheckDuplicatesBench, false},
        {"bulk-convert", "marks to switches, 100,000 marked records", 5, 1, MarksToSwitchesBench,
         false},
    };
    return operations;
}
