#include "label_bench.h"

#include "app/dialogs.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/list_core.h"
#include "database/statement.h"
#include "printing/address_block.h"
#include "printing/label_run_host.h"
#include "printing/label_run_options.h"
#include "printing/print_labels.h"
#include "printing/printer_object.h"
#include "printing/printers.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <chrono>
#include <cstdio>

namespace {

// Answers the "PDF file" printer's file dialog with a fixed path.
class FixedFileDialogs : public ConsoleDialogs {
public:
    explicit FixedFileDialogs(const QString& path) : m_path(path) {}
    QString SaveFileName(const QString&, const QString&, const QString&) override { return m_path; }

private:
    QString m_path;
};

qint64 LabelId(const QString& list, const QString& name) {
    auto db = Connection::Open(list);
    Statement find = db->Prepare("SELECT ID FROM Labels WHERE LName = ?");
    find.Bind(1, name);
    return find.Step() ? find.Number(0) : 0;
}

} // namespace

double PrintLabelsToPdf(const QString& list) {
    // Printing needs the fonts of a GUI application; the benchmark runs without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "lettrino-bench";
    static char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    const QString pdf = QFileInfo(list).absolutePath() + "/labels-bench.pdf";
    FixedFileDialogs dialogs(pdf);
    Dialogs::Install(&dialogs);
    {
        ControlCore control;
        control.SetCurrentFilter(0);
    }
    LabelRunOptions options;
    options.labelId = LabelId(list, "Avery 5160");
    options.layout = DefaultLabelLayout();
    options.barcode = kZip9Barcode;
    Printers::Select("PDF file");

    ListCore records;
    records.SetCurrentFilter();
    LabelRunHost host; // no window: nothing to show, every sheet printed
    const auto start = std::chrono::steady_clock::now();
    PrintLabels(options, records, host);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Dialogs::Install(nullptr);

    const qint64 labels = records.Records();
    // On the error stream: the child's standard output would carry the table's buffered lines.
    std::fprintf(stderr, "    %lld labels on %lld sheets, PDF %.1f MB\n", labels,
                 (labels + 29) / 30, double(QFileInfo(pdf).size()) / (1024 * 1024));
    return QFileInfo::exists(pdf) ? seconds : -1;
}
