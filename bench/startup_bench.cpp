#include "startup_bench.h"

#include "database/connection.h"
#include "database/statement.h"
#include "list_generator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

namespace {

void SetCurrentFilterInFile(const QString& list, bool filtered) {
    auto db = Connection::Open(list);
    qint64 id = 0;
    if (filtered) {
        Statement find = db->Prepare("SELECT ID FROM Filter WHERE FilterName = ?");
        find.Bind(1, QString::fromLatin1(kBenchFilterName));
        id = find.Step() ? find.Number(0) : 0;
    }
    Statement set = db->Prepare("UPDATE Control SET CurrentFilter = ?");
    set.Bind(1, id);
    set.Step();
}

QString ProgramPath() {
    QString program = qEnvironmentVariable("LETTRINO_PROGRAM");
    if (program.isEmpty())
        program = QFileInfo(QFileInfo("/proc/self/exe").symLinkTarget()).absolutePath() +
                  "/../src/lettrino";
    return QFileInfo(program).absoluteFilePath();
}

double Start(const QString& list, bool filtered) {
    const QString program = ProgramPath();
    if (!QFileInfo(program).isExecutable()) {
        std::fprintf(stderr, "startup: %s is missing (build the lettrino target)\n",
                     qPrintable(program));
        return -1;
    }
    QTemporaryDir home;
    QDir(home.path()).mkpath(".config");
    QFile settings(home.path() + "/.config/Tessavane.conf");
    if (!settings.open(QIODevice::WriteOnly))
        return -1;
    settings.write("[Database]\nCurrentDatabase=" + QFileInfo(list).absoluteFilePath().toUtf8() +
                   "\n");
    settings.close();
    SetCurrentFilterInFile(list, filtered);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.path() + "/.config");
    environment.insert("XDG_RUNTIME_DIR", home.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    const auto start = std::chrono::steady_clock::now();
    process.start(program, {"--startup-benchmark"});
    const bool finished = process.waitForFinished(60000);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    SetCurrentFilterInFile(list, false);
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "startup: the program did not show a record: %s\n",
                     process.readAllStandardOutput().constData());
        return -1;
    }
    return seconds;
}

} // namespace

double StartProgram(const QString& list) {
    return Start(list, false);
}

double StartProgramFiltered(const QString& list) {
    return Start(list, true);
}
