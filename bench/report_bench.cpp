#include "report_bench.h"

#include "app/dialogs.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_core.h"
#include "filters/build_filter_query.h"
#include "printing/grid_model.h"
#include "printing/label_run_host.h"
#include "printing/printer_object.h"
#include "printing/printer_values.h"
#include "printing/printers.h"
#include "printing/record_list_report.h"
#include "printing/record_text_file.h"
#include "printing/report_options.h"
#include "printing/report_state.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <memory>

namespace {

const char* const kAllByZipFilter = "Bench all by zip";

class Stopwatch {
public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

// Printing and measuring text need the fonts of a GUI application; the benchmark runs
// without a screen.
std::unique_ptr<QGuiApplication> MakeApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "lettrino-bench";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// Answers the "PDF file" printer's file dialog with a fixed path.
class FixedFileDialogs : public ConsoleDialogs {
public:
    explicit FixedFileDialogs(const QString& path) : m_path(path) {}
    QString SaveFileName(const QString&, const QString&, const QString&) override { return m_path; }

private:
    QString m_path;
};

// The ID of the filter that selects every record in ZIP order, made when missing.
qint64 AllByZipFilter() {
    FilterCore filters;
    if (filters.Records() > 0 && filters.MoveToName(QString::fromLatin1(kAllByZipFilter), true))
        return filters.ID();
    FilterRecord filter;
    filter.FilterName = QString::fromLatin1(kAllByZipFilter);
    filter.StartPhone = filter.EndPhone = "0000000000";
    filter.Sequence = 3;
    filter.Query = BuildFilterQuery(filter);
    filters.NewRecord(filter);
    return filters.ID();
}

volatile qint64 g_sink = 0;

} // namespace

double PrintRecordListToPdf(const QString& list) {
    const auto application = MakeApplication();
    const QString pdf = QFileInfo(list).absolutePath() + "/record-list-bench.pdf";
    FixedFileDialogs dialogs(pdf);
    Dialogs::Install(&dialogs);
    ControlCore().SetCurrentFilter(0);
    Printers::Select("PDF file");
    SetPrinterFontName(QFont().defaultFamily());

    ListCore records;
    records.SetCurrentFilter();
    LabelRunHost host; // no window: nothing to show, every page printed
    ReportOptions options;
    Stopwatch watch;
    PrintRecordList(records, host, options);
    const double seconds = watch.Seconds();
    Dialogs::Install(nullptr);
    // On the error stream: the child's standard output would carry the table's lines.
    std::fprintf(stderr, "    %lld records on %d pages, PDF %.1f MB\n", records.Records(),
                 ReportPageCounter(), double(QFileInfo(pdf).size()) / (1024 * 1024));
    return QFileInfo::exists(pdf) ? seconds : -1;
}

double WriteListTextFile(const QString& list) {
    const QString path = QFileInfo(list).absolutePath() + "/record-list-bench.txt";
    ControlCore().SetCurrentFilter(0);
    ListCore records;
    records.SetCurrentFilter();
    Stopwatch watch;
    const qint64 written = WriteRecordTextFile(path, records);
    const double seconds = watch.Seconds();
    std::fprintf(stderr, "    %lld records, text file %.1f MB\n", written,
                 double(QFileInfo(path).size()) / (1024 * 1024));
    QFile::remove(path);
    return seconds;
}

double OpenGridOnWholeList(const QString&) {
    const auto application = MakeApplication();
    ControlCore().SetCurrentFilter(AllByZipFilter());
    Stopwatch watch;
    ListCore records;
    GridModel model(records, GridMetrics::ForFont(QFont(), 96, false));
    model.Fill();
    // What the view asks for to show the first screen of rows.
    for (int row = 0; row < 40 && row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            g_sink = g_sink + model.data(model.index(row, column)).toString().size();
    const double seconds = watch.Seconds();
    std::fprintf(stderr, "    %lld records in the filter, %d rows read\n", model.TotalRecords(),
                 model.rowCount());
    ControlCore().SetCurrentFilter(0);
    return model.rowCount() > 0 ? seconds : -1;
}
