// Benchmarks of the record stores: generates synthetic lists of 10,000, 100,000 and
// 1,000,000 records (once; they are kept in the data folder) and times each operation in a
// fresh process several times, printing the median and the process's peak memory.
//
//   lettrino-bench [--data DIR] [--sizes 10000,100000,1000000] [--runs 5] [--only key,...]

#include "app/settings.h"
#include "bench_operations.h"
#include "list_generator.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kMemoryTargetMb = 150;

struct Options {
    QString data = QStringLiteral("bench-data");
    std::vector<int> sizes = {10000, 100000, 1000000};
    int runs = 5;
    QStringList only;
};

struct Sample {
    double seconds = -1;
    double peakMb = 0;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (name == "--data") {
            options.data = value;
        } else if (name == "--runs") {
            options.runs = std::max(1, value.toInt());
        } else if (name == "--sizes") {
            options.sizes.clear();
            for (const QString& size : value.split(',', Qt::SkipEmptyParts))
                options.sizes.push_back(size.toInt());
        } else if (name == "--only") {
            options.only = value.split(',', Qt::SkipEmptyParts);
        } else {
            std::fprintf(stderr, "Unknown option %s\n", argv[i]);
            std::exit(2);
        }
    }
    return options;
}

// Runs work in a child process and gives its result and the child's peak memory.
template <typename Work> Sample InChild(const Options& options, const QString& list, Work work) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        double seconds = -1;
        try {
            // The bench's own settings file, never the user's.
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                               QDir(options.data).absoluteFilePath("config"));
            if (!list.isEmpty())
                SaveCurrentListSetting(list);
            seconds = work();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "failed: %s\n", error.what());
        }
        const QByteArray line = QByteArray::number(seconds, 'g', 12) + "\n";
        (void)!write(pipeFds[1], line.constData(), size_t(line.size()));
        _exit(seconds < 0 ? 1 : 0);
    }
    close(pipeFds[1]);
    char buffer[64] = {};
    const ssize_t got = read(pipeFds[0], buffer, sizeof buffer - 1);
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Sample sample;
    if (got > 0)
        sample.seconds = QByteArray(buffer).trimmed().toDouble();
    sample.peakMb = double(usage.ru_maxrss) / 1024.0;
    return sample;
}

QString ListPath(const Options& options, int records) {
    return QDir(options.data).absoluteFilePath(QStringLiteral("list-%1.mdb").arg(records));
}

bool EnsureList(const Options& options, int records) {
    const QString path = ListPath(options, records);
    if (QFileInfo::exists(path))
        return true;
    std::printf("Generating %d records into %s ...\n", records, qPrintable(path));
    std::fflush(stdout);
    const Sample made = InChild(options, QString(), [&] {
        const auto start = std::chrono::steady_clock::now();
        GenerateList(path, records);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
    if (made.seconds < 0)
        return false;
    std::printf("  done in %.1f s\n", made.seconds);
    return true;
}

QString Duration(double seconds) {
    if (seconds < 0)
        return QStringLiteral("failed");
    if (seconds < 0.01)
        return QStringLiteral("%1 ms").arg(seconds * 1000, 0, 'f', 4);
    return QStringLiteral("%1 ms").arg(seconds * 1000, 0, 'f', 1);
}

QString Target(const BenchOperation& op, int records, double seconds, double peakMb,
               double reference) {
    if (records != (op.onlySize ? op.onlySize : 1000000))
        return QString();
    QStringList parts;
    if (op.relativeTo) {
        if (reference > 0)
            parts << QStringLiteral("< %1 x %2 = %3 %4")
                         .arg(op.relativeFactor)
                         .arg(QLatin1String(op.relativeTo), Duration(reference * op.relativeFactor),
                              seconds >= 0 && seconds <= reference * op.relativeFactor ? "ok"
                                                                                       : "MISSED");
        else
            parts << QStringLiteral("< %1 x %2 (not measured)")
                         .arg(op.relativeFactor)
                         .arg(QLatin1String(op.relativeTo));
    } else if (op.targetSeconds > 0) {
        parts << QStringLiteral("< %1 %2").arg(
            Duration(op.targetSeconds),
            seconds >= 0 && seconds < op.targetSeconds ? "ok" : "MISSED");
    }
    if (op.memoryTarget || op.memoryTargetMb > 0) {
        const double limit = op.memoryTargetMb > 0 ? op.memoryTargetMb : kMemoryTargetMb;
        parts << QStringLiteral("< %1 MB %2").arg(limit).arg(peakMb < limit ? "ok" : "MISSED");
    }
    return parts.join(", ");
}

} // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    QDir().mkpath(options.data);
    for (int records : options.sizes)
        if (!EnsureList(options, records))
            return 1;

    std::printf("\n%-52s %10s %14s %12s  %s\n", "operation", "records", "median", "peak mem",
                "target (1,000,000 records)");
    std::printf("%s\n", QByteArray(120, '-').constData());
    // Medians by operation key and list size, for targets relative to another operation.
    QHash<QString, double> medians;
    const auto key = [](const char* op, int records) {
        return QStringLiteral("%1/%2").arg(QLatin1String(op)).arg(records);
    };
    for (int records : options.sizes) {
        std::vector<const BenchOperation*> chosen;
        for (const BenchOperation& op : BenchOperations())
            if ((options.only.isEmpty() || options.only.contains(QString::fromLatin1(op.key))) &&
                (!op.onlySize || records == op.onlySize))
                chosen.push_back(&op);
        // The operations take turns run by run, so that a slow spell of the machine falls on
        // all of them alike and an operation measured against another meets the same one.
        const QString path = ListPath(options, records);
        std::vector<std::vector<double>> times(chosen.size());
        std::vector<double> peakMb(chosen.size(), 0);
        for (int run = 0; run < options.runs; ++run)
            for (size_t i = 0; i < chosen.size(); ++i) {
                const BenchOperation& op = *chosen[i];
                const Sample sample = InChild(options, path, [&] { return op.run(path); });
                if (sample.seconds >= 0)
                    times[i].push_back(sample.seconds / op.perStep);
                peakMb[i] = std::max(peakMb[i], sample.peakMb);
            }
        for (size_t i = 0; i < chosen.size(); ++i) {
            const BenchOperation& op = *chosen[i];
            double median = -1;
            if (!times[i].empty()) {
                std::sort(times[i].begin(), times[i].end());
                median = times[i][times[i].size() / 2];
            }
            medians.insert(key(op.key, records), median);
        }
        for (size_t i = 0; i < chosen.size(); ++i) {
            const BenchOperation& op = *chosen[i];
            const double median = medians.value(key(op.key, records));
            const double reference =
                op.relativeTo ? medians.value(key(op.relativeTo, records), -1) : -1;
            std::printf("%-52s %10d %14s %9.1f MB  %s\n", op.label, records,
                        qPrintable(Duration(median)), peakMb[i],
                        qPrintable(Target(op, records, median, peakMb[i], reference)));
            std::fflush(stdout);
        }
    }
    std::printf("\nMedian of %d runs, each in a fresh process; peak memory is the largest "
                "resident size of those processes.\n",
                options.runs);
    return 0;
}
