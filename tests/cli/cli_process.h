#pragma once

#include "support/test_environment.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

// What one run of the tool gave.
struct CliResult {
    int exitCode = -1;
    int signal = 0; // the signal that ended the process, 0 when it exited
    QString out;
    QString err;
};

// Tests that run lettrino-cli as a process of its own. The tool gets a home and a settings
// folder inside the test's folder, so the settings it reads and writes are the test's own;
// lists are made and read in this process through the stores (with this process's own
// settings, see LettrinoTest).
class CliTest : public LettrinoTest {
protected:
    void SetUp() override;

    CliResult Run(const QStringList& arguments) const;
    // Starts the tool without waiting for it to end (for commands run at the same time).
    std::unique_ptr<QProcess> Start(const QStringList& arguments) const;
    // The environment the tool runs in: the test's home and settings folder.
    QProcessEnvironment ToolEnvironment() const;
    // Runs another program the same way, with further environment variables ("NAME=value").
    CliResult RunProgram(const QString& program, const QStringList& arguments,
                         const QStringList& environment = {}) const;

    // The tool's settings (section, key), read from and written to its settings file.
    QString ToolSetting(const QString& section, const QString& key) const;
    void SetToolSetting(const QString& section, const QString& key, const QString& value) const;

    // A list made by the tool, with three records (Adams and Cole in Wisconsin, Baker in
    // Illinois), the filter "Wisconsin" (state WI, by name), and switch 1 named
    // "Volunteer" (set for Adams).
    QString MakeClubList(const QString& name = "Club.mdb");
    // Adds a filter on a state range to the in-process current list.
    void AddStateFilter(const QString& name, const QString& state);

    // The text pdftotext reads from a PDF file (with -bbox, its word boxes as XHTML); empty
    // when pdftotext is missing or fails.
    static QString PdfText(const QString& pdf, bool boxes = false);
    static bool HavePdfToText();

    QString m_home;
};

// The lines of a text, without empty last line and without CR.
QStringList TextLines(const QString& text);
