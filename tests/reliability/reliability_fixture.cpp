#include "reliability/reliability_fixture.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <csignal>
#include <cstdio>

QString ReliabilityTest::MakeFilledList(const QString& name, int records) {
    const QString path = Path(name);
    const CliResult made = Run({"new", path});
    if (made.exitCode != 0) {
        ADD_FAILURE() << made.err.toStdString();
        return QString();
    }
    auto db = Connection::Open(path);
    Transaction transaction(*db);
    Statement insert = db->Prepare(
        "INSERT INTO List (Name, Address, City, State, Zip, Phone, Code, LastEdit, Switches, "
        "Notes, Marked, Imported) VALUES (?, ?, ?, ?, ?, '6085550100', ?, '2026-03-01', "
        "'0000000000000000', ?, 1, 0)");
    for (int n = 1; n <= records; ++n) {
        insert.Bind(1, QStringLiteral("Person %1").arg(n, 6, 10, QLatin1Char('0')));
        insert.Bind(2, QStringLiteral("%1 Oak Street\r\nSuite %2").arg(n).arg(n % 97));
        insert.Bind(3, QStringLiteral("City %1").arg(n % 50));
        insert.Bind(4, n % 6 == 0 ? QStringLiteral("IL") : QStringLiteral("WI"));
        insert.Bind(5, QStringLiteral("5370%1").arg(n % 100000, 5, 10, QLatin1Char('0')));
        insert.Bind(6, QStringLiteral("C%1").arg(n));
        insert.Bind(7, QStringLiteral("Notes of record %1, long enough to fill pages.").arg(n));
        insert.Run();
    }
    transaction.Commit();
    return path;
}

bool ReliabilityTest::ListIsSound(const QString& path, QString* report) {
    try {
        auto db = Connection::Open(path);
        const QString check = db->QueryText("PRAGMA integrity_check");
        if (check != QLatin1String("ok")) {
            if (report)
                *report = "integrity_check: " + check;
            return false;
        }
        if (db->QueryText("SELECT Identification FROM Control") != QLatin1String("Tessavane")) {
            if (report)
                *report = QStringLiteral("no control row");
            return false;
        }
        return true;
    } catch (const EngineError& error) {
        if (report)
            *report = "doesn't open: " + error.Text();
        return false;
    }
}

QStringList ReliabilityTest::Rows(const QString& path, const QString& sql) {
    QStringList rows;
    auto db = Connection::Open(path, Connection::Mode::ReadOnly);
    Statement statement = db->Prepare(sql);
    while (statement.Step()) {
        QStringList columns;
        for (int i = 0; i < statement.ColumnCount(); ++i)
            columns << statement.Value(i).toString();
        rows << columns.join('|');
    }
    return rows;
}

QStringList ReliabilityTest::Dump(const QString& path) {
    QStringList dump;
    for (const char* table : {"Control", "Filter", "Labels", "Template", "List", "SwitchNames"}) {
        const QString order = QLatin1String(table) == QLatin1String("Control") ? "rowid" : "ID";
        dump << QLatin1String(table);
        dump << Rows(path, QStringLiteral("SELECT * FROM \"%1\" ORDER BY %2").arg(table, order));
    }
    return dump;
}

QSet<QString> ReliabilityTest::FilesIn(const QString& folder) {
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    return QSet<QString>(names.begin(), names.end());
}

void ReliabilityTest::CopyFolder(const QString& from, const QString& to) {
    QDir target(to);
    if (target.exists())
        for (const QString& name : target.entryList(QDir::Files | QDir::Hidden))
            target.remove(name);
    else
        QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files | QDir::Hidden))
        QFile::copy(from + "/" + name, to + "/" + name);
}

QString ReliabilityTest::SnapshotFolder(const QString& folder) const {
    const QString snapshot = Path(QFileInfo(folder).fileName() + ".before");
    CopyFolder(folder, snapshot);
    return snapshot;
}

CliResult ReliabilityTest::RunWithCrashPoints(const QString& program, const QStringList& arguments,
                                              long killAt, const QString& pointsFile) const {
    QStringList environment{QStringLiteral("LD_PRELOAD=" LETTRINO_CRASH_POINTS)};
    // In a sanitizer build the preloaded library comes before the sanitizer's runtime, which
    // the runtime refuses unless told that the order is meant.
    environment << QStringLiteral("ASAN_OPTIONS=verify_asan_link_order=0");
    if (killAt > 0)
        environment << QStringLiteral("LETTRINO_KILL_AT=%1").arg(killAt);
    if (!pointsFile.isEmpty())
        environment << "LETTRINO_POINTS_FILE=" + pointsFile;
    return RunProgram(program, arguments, environment);
}

std::vector<ReliabilityTest::Crash>
ReliabilityTest::KillSweep(const SweepOptions& options,
                           const std::function<void(const Crash&)>& check, long* points) {
    const QString program =
        options.program.isEmpty() ? QStringLiteral(LETTRINO_CLI) : options.program;
    const QString before = SnapshotFolder(options.folder);
    // The tool's settings file is put back before every run too, so that every run makes
    // the same file operations as the counting one.
    const QString settings = m_home + "/.config/Tessavane.conf";
    const bool hadSettings = QFileInfo::exists(settings);
    const QByteArray settingsBefore = ReadBytes(settings);
    const auto restore = [&] {
        CopyFolder(before, options.folder);
        if (hadSettings)
            WriteBytes(settings, settingsBefore);
        else
            QFile::remove(settings);
    };
    const QString pointsFile = Path("points.txt");
    const CliResult counted = RunWithCrashPoints(program, options.arguments, 0, pointsFile);
    EXPECT_EQ(counted.exitCode, 0) << counted.err.toStdString();
    const long total = ReadBytes(pointsFile).trimmed().toLong();
    if (points)
        *points = total;
    if (options.afterCounting)
        options.afterCounting();
    const QSet<QString> had = FilesIn(before);
    std::vector<Crash> crashes;
    if (total < 1) {
        ADD_FAILURE() << "the command made no file operation";
        return crashes;
    }
    // Stops at the first operations, the last ones, and evenly between.
    std::vector<long> at;
    const long edge = std::min<long>(3, total);
    for (long n = 1; n <= edge; ++n)
        at.push_back(n);
    const int middle = std::max(0, options.kills - 2 * int(edge));
    for (int i = 1; i <= middle; ++i)
        at.push_back(edge + (total - 2 * edge) * i / (middle + 1));
    for (long n = std::max(edge + 1, total - edge + 1); n <= total; ++n)
        at.push_back(n);
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    for (long point : at) {
        restore();
        const CliResult run = RunWithCrashPoints(program, options.arguments, point);
        Crash crash;
        crash.point = point;
        crash.killed = run.signal == SIGKILL;
        if (!crash.killed) {
            EXPECT_EQ(run.exitCode, 0) << "stop at " << point << ": " << run.err.toStdString();
        }
        SCOPED_TRACE(QStringLiteral("stopped at file operation %1 of %2")
                         .arg(point)
                         .arg(total)
                         .toStdString());
        for (const QString& name : had)
            EXPECT_TRUE(options.replaced.contains(name) ||
                        QFileInfo::exists(options.folder + "/" + name))
                << name.toStdString() << " is gone";
        check(crash);
        crashes.push_back(crash);
        if (::testing::Test::HasFatalFailure())
            break;
    }
    restore();
    return crashes;
}

void ReportFigure(const QString& operation, const QString& tried, const QString& result) {
    std::printf("[reliability] %s | %s | %s\n", operation.toLocal8Bit().constData(),
                tried.toLocal8Bit().constData(), result.toLocal8Bit().constData());
    std::fflush(stdout);
}

SecondCopy::SecondCopy(const QString& home, const QString& list, bool spill)
    : m_process(std::make_unique<QProcess>()) {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert("HOME", home);
    variables.insert("XDG_CONFIG_HOME", home + "/.config");
    m_process->setProcessEnvironment(variables);
    QStringList arguments{"hold", list};
    if (spill)
        arguments << "spill";
    m_process->start(QStringLiteral(LETTRINO_DRIVER), arguments);
    while (!m_holding && m_process->waitForReadyRead(30000))
        m_holding = m_process->readAllStandardOutput().contains("holding");
}

SecondCopy::~SecondCopy() {
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished();
    }
}

bool SecondCopy::Finish() {
    m_process->write("commit\n");
    m_process->closeWriteChannel();
    return m_process->waitForFinished(30000) && m_process->exitStatus() == QProcess::NormalExit &&
           m_process->exitCode() == 0;
}
