#include "label_bench.h"

#include "app/dialogs.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/list_core.h"
#include "database/statement.h"
#include "printing/address_block.h"
#include "printing/label_run_host.h"
#include "printing/label_run_options.h"
#include "printing/preview_pages.h"
#include "printing/print_labels.h"
#include "printing/printer_object.h"
#include "printing/printers.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
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

// Printing needs the fonts of a GUI application; the benchmark runs without a screen.
std::unique_ptr<QGuiApplication> MakeApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "lettrino-bench";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The label run of both benchmarks: every record, 5160, nine-digit bars.
LabelRunOptions BenchRunOptions(const QString& list) {
    {
        ControlCore control;
        control.SetCurrentFilter(0);
    }
    LabelRunOptions options;
    options.labelId = LabelId(list, "Avery 5160");
    options.layout = DefaultLabelLayout();
    options.barcode = kZip9Barcode;
    return options;
}

using Clock = std::chrono::steady_clock;

// The host of the preview run: once the first page is complete it draws it as the preview
// window does, notes the time, and asks the run to stop.
class FirstPageHost : public LabelRunHost {
public:
    FirstPageHost(const PreviewPages& pages, Clock::time_point start)
        : m_pages(pages), m_start(start) {}

    void Yield() override {
        if (m_seconds >= 0 || m_pages.CompletedPages() == 0)
            return;
        const QRectF paper = m_pages.PaperRect();
        const double scale = 100.0 / 1440;
        QImage image((paper.size() * scale).toSize(), QImage::Format_RGB32);
        QPainter painter(&image);
        PaintPreviewPage(painter, m_pages.Page(0), paper, {}, scale);
        painter.end();
        m_seconds = std::chrono::duration<double>(Clock::now() - m_start).count();
    }
    bool StopRequested() const override { return m_seconds >= 0; }
    void Notify(const QString&) override {}
    double Seconds() const { return m_seconds; }

private:
    const PreviewPages& m_pages;
    Clock::time_point m_start;
    double m_seconds = -1;
};

} // namespace

double PreviewLabelsFirstPage(const QString& list) {
    const auto application = MakeApplication();
    const LabelRunOptions options = BenchRunOptions(list);
    Printers::Select("PDF file");
    ListCore records;
    records.SetCurrentFilter();
    const auto start = Clock::now();
    PreviewPages* pages = nullptr;
    auto preview = PreviewPages::MakePrinter(Printers::Current(), &pages);
    FirstPageHost host(*pages, start);
    PrintLabels(options, records, host, *preview);
    return host.Seconds();
}

double PrintLabelsToPdf(const QString& list) {
    const auto application = MakeApplication();

    const QString pdf = QFileInfo(list).absolutePath() + "/labels-bench.pdf";
    FixedFileDialogs dialogs(pdf);
    Dialogs::Install(&dialogs);
    const LabelRunOptions options = BenchRunOptions(list);
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
