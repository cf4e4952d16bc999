#include "cli_bench.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

namespace {

QString ToolPath() {
    QString tool = qEnvironmentVariable("LETTRINO_CLI");
    if (tool.isEmpty())
        tool = QFileInfo(QFileInfo("/proc/self/exe").symLinkTarget()).absolutePath() +
               "/../src/lettrino-cli";
    return QFileInfo(tool).absoluteFilePath();
}

// Runs the tool on the list with the arguments; the seconds it took, or -1.
double RunTool(const QString& list, const QStringList& arguments, const QString& output) {
    const QString tool = ToolPath();
    if (!QFileInfo(tool).isExecutable()) {
        std::fprintf(stderr, "cli: %s is missing (build the lettrino-cli target)\n",
                     qPrintable(tool));
        return -1;
    }
    QTemporaryDir home;
    QDir(home.path()).mkpath(".config");
    QFile::remove(output);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.path() + "/.config");
    environment.insert("XDG_RUNTIME_DIR", home.path());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    const auto start = std::chrono::steady_clock::now();
    process.start(tool, QStringList{"--list", QFileInfo(list).absoluteFilePath()} + arguments);
    const bool finished = process.waitForFinished(600000);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool written = QFileInfo::exists(output);
    QFile::remove(output);
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
        !written) {
        std::fprintf(stderr, "cli: the tool failed: %s\n", process.readAll().constData());
        return -1;
    }
    return seconds;
}

QString OutputBeside(const QString& list, const char* name) {
    return QFileInfo(list).absoluteDir().filePath(QString::fromLatin1(name));
}

} // namespace

double CliExportList(const QString& list) {
    const QString output = OutputBeside(list, "cli-export.ltx");
    return RunTool(list, {"export", output, "--filter", "<None>"}, output);
}

double CliLabels(const QString& list) {
    const QString output = OutputBeside(list, "cli-labels.pdf");
    return RunTool(
        list,
        {"labels", output, "--filter", "<None>", "--label", "Avery 5160", "--barcode", "zip9"},
        output);
}
