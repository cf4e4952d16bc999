#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// What the tool's exit status says.
enum ExitStatus {
    kExitDone = 0,   // the command did what was asked
    kExitFailed = 1, // a message reported a failure, or a question answered No stopped it
    kExitUsage = 2,  // the command line was wrong (the usage text was shown)
};

// The command line of one run: the tool's own options, the command, its arguments and
// its options.
class CommandLine {
public:
    // Reads the arguments (without the program's name). False on a usage error, which
    // Error() then describes.
    bool Parse(const QStringList& arguments);

    QString Error() const { return m_error; }
    QString List() const { return m_list; }
    bool Yes() const { return m_yes; }
    bool Help() const { return m_help; }
    QString Command() const { return m_command; }
    QStringList Arguments() const { return m_arguments; }
    bool Flag(const QString& name) const { return m_flags.contains(name); }
    bool HasValue(const QString& name) const { return m_values.contains(name); }
    QString Value(const QString& name) const { return m_values.value(name); }

    // The names of the commands, in the order the usage text lists them.
    static QStringList Commands();
    // The usage text of the tool, and of one command (empty for an unknown command).
    static QString ToolUsage();
    static QString CommandUsage(const QString& command);

private:
    bool Fail(const QString& error);

    QString m_error;
    QString m_list;
    bool m_yes = false;
    bool m_help = false;
    QString m_command;
    QStringList m_arguments;
    QSet<QString> m_flags;
    QMap<QString, QString> m_values;
};
