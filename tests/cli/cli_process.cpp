#include "cli/cli_process.h"

#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "database/switch_core.h"
#include "filters/build_filter_query.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

void CliTest::SetUp() {
    LettrinoTest::SetUp();
    m_home = Path("home");
    QDir().mkpath(m_home + "/.config");
}

QProcessEnvironment CliTest::ToolEnvironment() const {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert("HOME", m_home);
    variables.insert("XDG_CONFIG_HOME", m_home + "/.config");
    variables.insert("XDG_RUNTIME_DIR", m_home);
    return variables;
}

std::unique_ptr<QProcess> CliTest::Start(const QStringList& arguments) const {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(ToolEnvironment());
    process->setWorkingDirectory(m_dir->path());
    process->start(QStringLiteral(LETTRINO_CLI), arguments);
    return process;
}

CliResult CliTest::Run(const QStringList& arguments) const {
    return RunProgram(QStringLiteral(LETTRINO_CLI), arguments);
}

CliResult CliTest::RunProgram(const QString& program, const QStringList& arguments,
                              const QStringList& environment) const {
    QProcess process;
    QProcessEnvironment variables = ToolEnvironment();
    for (const QString& variable : environment)
        variables.insert(variable.section('=', 0, 0), variable.section('=', 1));
    process.setProcessEnvironment(variables);
    process.setWorkingDirectory(m_dir->path());
    process.start(program, arguments);
    CliResult result;
    if (!process.waitForFinished(120000)) {
        ADD_FAILURE() << "lettrino-cli did not finish: " << arguments.join(' ').toStdString();
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    else
        result.signal = process.exitCode(); // the signal's number after a crash
    return result;
}

QString CliTest::ToolSetting(const QString& section, const QString& key) const {
    QSettings settings(m_home + "/.config/Tessavane.conf", QSettings::IniFormat);
    return settings.value(section + "/" + key).toString();
}

void CliTest::SetToolSetting(const QString& section, const QString& key,
                             const QString& value) const {
    QSettings settings(m_home + "/.config/Tessavane.conf", QSettings::IniFormat);
    settings.setValue(section + "/" + key, value);
}

QString CliTest::MakeClubList(const QString& name) {
    // A list as the tool makes it (with the two standard label layouts), filled here.
    const QString path = Path(name);
    const CliResult made = Run({"new", path});
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    SetCurrentList(path);
    {
        ListCore list;
        const struct {
            const char* name;
            const char* address;
            const char* city;
            const char* state;
            const char* zip;
        } people[] = {{"Adams; Ann", "12 Oak St", "Madison", "WI", "537030000"},
                      {"Baker; Bob", "9 Elm Rd", "Chicago", "IL", "606010000"},
                      {"Cole; Cy", "4 Pine Ave", "Milwaukee", "WI", "532020000"}};
        for (const auto& person : people) {
            ListRecord record;
            // Ann Adams volunteers.
            record.Switches = person.name[0] == 'A' ? "1000000000000000" : "0000000000000000";
            record.Name = person.name;
            record.Address = person.address;
            record.City = person.city;
            record.State = person.state;
            record.Zip = person.zip;
            record.Phone = "6085550100";
            record.Code = "MEM";
            record.LastEdit = QDate(2026, 3, 1);
            EXPECT_TRUE(list.NewRecord(record));
        }
    }
    AddStateFilter("Wisconsin", "WI");
    SwitchCore switches;
    EXPECT_TRUE(switches.FirstRecord());
    switches.SetSwitchName("Volunteer");
    return path;
}

void CliTest::AddStateFilter(const QString& name, const QString& state) {
    FilterRecord filter;
    filter.FilterName = name;
    filter.StartState = state;
    filter.EndState = state;
    filter.Query = BuildFilterQuery(filter);
    FilterCore filters;
    EXPECT_TRUE(filters.NewRecord(filter));
}

bool CliTest::HavePdfToText() {
    return !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

QString CliTest::PdfText(const QString& pdf, bool boxes) {
    QProcess process;
    QStringList arguments;
    if (boxes)
        arguments << "-bbox";
    arguments << pdf << "-";
    process.start("pdftotext", arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList TextLines(const QString& text) {
    QString plain = text;
    plain.remove('\r');
    QStringList lines = plain.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
