#include "bulk_bench.h"

#include "app/settings.h"
#include "database/connection.h"
#include "database/list_core.h"
#include "filters/bulk_conversion.h"
#include "filters/duplicate_check.h"
#include "filters/duplicate_check_host.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kMarkedRecords = 100000;

// Processor time of the process since a start, in seconds: on a machine busy with other
// work this shows what the operation itself costs.
double CpuSecondsSince(std::clock_t start) {
    return double(std::clock() - start) / CLOCKS_PER_SEC;
}

double SecondsSince(const std::chrono::steady_clock::time_point& start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A copy of the list in the bench's own folder, made the current list.
QString WorkingCopy(const QString& list, const QString& name) {
    const QString copy = QFileInfo(list).absolutePath() + "/bulk-bench/" + name;
    QFileInfo(copy).absoluteDir().mkpath(".");
    QFile::remove(copy);
    if (!QFile::copy(list, copy))
        return QString();
    SaveCurrentListSetting(copy);
    return copy;
}

// Answers the check's looks at the user interface the way a window does, and measures the
// longest time between two looks during the pass: the window's Quit button waits at most
// that long.
class TimingHost : public DuplicateCheckHost {
public:
    // The pass starts; the count of marks and the question before it are not timed here.
    void Starting(qint64) override { m_sinceLast.start(); }
    bool KeepGoing() override {
        m_longestGapMs = std::max(m_longestGapMs, m_sinceLast.restart());
        return true;
    }
    qint64 LongestGapMs() const { return m_longestGapMs; }

private:
    QElapsedTimer m_sinceLast;
    qint64 m_longestGapMs = 0;
};

} // namespace

double CheckDuplicatesBench(const QString& list) {
    const QString copy = WorkingCopy(list, "duplicates.mdb");
    if (copy.isEmpty())
        return -1;
    Connection::Open(copy)->Execute("UPDATE List SET Marked = 0");
    double seconds = -1;
    {
        ListCore records;
        TimingHost host;
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        const DuplicateCheck::Result result = DuplicateCheck(records, host).Run(false);
        seconds = SecondsSince(start);
        // On the error stream: the child's standard output would carry the table's lines.
        std::fprintf(stderr,
                     "    %lld records, %lld possible duplicates, longest gap %lld ms, "
                     "processor %.2f s\n",
                     result.visited, result.found, host.LongestGapMs(), CpuSecondsSince(cpuStart));
        if (result.outcome != DuplicateCheck::Outcome::Finished)
            seconds = -1;
    }
    QFile::remove(copy);
    return seconds;
}

double MarksToSwitchesBench(const QString& list) {
    const QString copy = WorkingCopy(list, "marks.mdb");
    if (copy.isEmpty())
        return -1;
    {
        auto db = Connection::Open(copy);
        db->Execute("UPDATE List SET Marked = 0");
        db->Execute(QStringLiteral("UPDATE List SET Marked = 1 WHERE ID IN (SELECT ID FROM List "
                                   "ORDER BY ID LIMIT %1)")
                        .arg(kMarkedRecords));
    }
    double seconds = -1;
    {
        ListCore records;
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        records.SetMarkedRecordset();
        const qint64 marked = records.Records();
        std::array<bool, 16> ticked{};
        ticked[1] = ticked[4] = true;
        const BulkOutcome outcome = BulkConversion(records).AddSwitches(
            BulkConversion::SelectedSwitches(ticked), BulkFlag::Marked);
        records.SetCurrentFilter();
        const qint64 counted = records.Records();
        seconds = SecondsSince(start);
        std::fprintf(stderr,
                     "    %lld marked records converted, %lld counted afterwards, processor "
                     "%.2f s\n",
                     outcome.changed, counted, CpuSecondsSince(cpuStart));
        if (outcome.failed || outcome.changed != marked ||
            Connection::Open(copy)->QueryNumber("SELECT Count(*) FROM List WHERE Marked = 1") != 0)
            seconds = -1;
    }
    QFile::remove(copy);
    return seconds;
}
