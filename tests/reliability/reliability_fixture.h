#pragma once

#include "cli/cli_process.h"

#include <QProcess>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// Tests that stop a child process dead, starve it of disk or lock it out, and then look at
// what is left of the list. The children get the test's own home and settings (CliTest).
class ReliabilityTest : public CliTest {
protected:
    // A list made by the tool with `records` records in one transaction: Name "Person
    // 000001" and on, City "City <n % 50>", State "WI" except every sixth record ("IL"),
    // Zip, Code "C<n>", Marked 1. Empty when the list could not be made.
    QString MakeFilledList(const QString& name, int records);

    // The list at path as the program finds it: it opens (a journal left by a crash is
    // played back, as any open does) and the engine's integrity check says "ok". On false,
    // report says why.
    static bool ListIsSound(const QString& path, QString* report = nullptr);
    // The rows of a query on the list, each row's columns joined by "|".
    static QStringList Rows(const QString& path, const QString& sql);
    // Every table of the list, row by row in ID order: compares two lists by content.
    static QStringList Dump(const QString& path);

    // The names of the files in a folder.
    static QSet<QString> FilesIn(const QString& folder);
    // Copies every file of one folder into another (emptied first).
    static void CopyFolder(const QString& from, const QString& to);

    // One run of a command in a child that is stopped at a file operation.
    struct Crash {
        long point = 0;      // the file operation at which the child was stopped
        bool killed = false; // false when the command finished before reaching the point
    };
    struct SweepOptions {
        QString program; // the child program (lettrino-cli by default)
        QStringList arguments;
        int kills = 8;          // stops spread over the whole command, its first and last
                                // operations included
        QString folder;         // the folder the command works in, restored before each run
        QSet<QString> replaced; // names there that the command replaces by design
        // Called once the counting run has ended, with the folder as the command left it.
        std::function<void()> afterCounting;
    };
    // Runs the command once to count its file operations, then again and again, each
    // time from the folder as it was and stopped at another of them, from the first to the
    // last; check is called after every run with the folder as the stop left it. Returns
    // the runs; the number of operations counted goes to `points`. After every stop each
    // file the folder held before is still there (but those `replaced`).
    std::vector<Crash> KillSweep(const SweepOptions& options,
                                 const std::function<void(const Crash&)>& check,
                                 long* points = nullptr);

    // Runs a program with the crash-point library preloaded (stopping at `killAt` when it
    // is not 0; `pointsFile` receives the count of operations on a normal end).
    CliResult RunWithCrashPoints(const QString& program, const QStringList& arguments, long killAt,
                                 const QString& pointsFile = QString()) const;

    // Folders kept for the sweep: the folder's state before the command and a scratch copy.
    QString SnapshotFolder(const QString& folder) const;
};

// A second running copy of the program in the middle of changing a list (the driver's
// "hold"): it holds the engine's write lock until Finish() lets it commit.
class SecondCopy {
public:
    // spill: the change is large and its pages are already being written into the file,
    // so that the copy holds the lock that keeps out even readers.
    SecondCopy(const QString& home, const QString& list, bool spill = false);
    ~SecondCopy();
    bool Holding() const { return m_holding; }
    // Lets the copy commit its change; true when it ended normally.
    bool Finish();

private:
    std::unique_ptr<QProcess> m_process;
    bool m_holding = false;
};

// A line for the results table printed by the sweeps (operation, what was tried, result).
void ReportFigure(const QString& operation, const QString& tried, const QString& result);
