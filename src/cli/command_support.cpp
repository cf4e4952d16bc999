#include "cli/command_support.h"

#include "app/dialogs.h"
#include "app/filter_choices.h"
#include "app/settings.h"
#include "app/switch_names.h"
#include "cli/command_line.h"
#include "database/connection.h"
#include "database/list_core.h"
#include "database/open_database.h"

#include <QFileInfo>
#include <QStringList>
#include <cstdio>

namespace {

QString NoneChoice() {
    return QStringLiteral("<None>");
}

QString Quoted(const QString& text) {
    return '"' + text + '"';
}

} // namespace

void ToolMessage(const QString& text) {
    std::fprintf(stderr, "lettrino-cli: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

void PrintResult(const QString& text) {
    std::fprintf(stdout, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
}

int UsageError(const QString& command, const QString& message) {
    ToolMessage(message);
    const QString usage =
        command.isEmpty() ? CommandLine::ToolUsage() : CommandLine::CommandUsage(command);
    std::fprintf(stderr, "\n%s", usage.toLocal8Bit().constData());
    return kExitUsage;
}

int MessagesShown() {
    const auto* console = dynamic_cast<const ConsoleDialogs*>(&Dialogs::Current());
    return console ? console->MessagesShown() : 0;
}

bool OpenList(const QString& path) {
    if (!path.isEmpty())
        SaveCurrentListSetting(QFileInfo(path).absoluteFilePath());
    // The stores open connections of their own; this one only checks the list.
    if (!OpenCurrentDatabase())
        return false;
    // What the main window loads with every list it opens: the switch captions that
    // reports print.
    LoadSwitchNames();
    return true;
}

bool ChooseFilter(const QString& name) {
    FilterChoices choices;
    if (!ReadFilterChoices(choices))
        return false;
    qint64 chosen = name == NoneChoice() ? 0 : -1;
    for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (const FilterChoices::Choice& filter : choices.filters) {
            if (chosen >= 0)
                break;
            if (filter.name.compare(name, sensitivity) == 0)
                chosen = filter.id;
        }
    }
    if (chosen < 0) {
        QStringList names{Quoted(NoneChoice())};
        for (const FilterChoices::Choice& filter : choices.filters)
            names << Quoted(filter.name);
        ToolMessage(QStringLiteral("there is no filter named %1; the filters are: %2")
                        .arg(Quoted(name), names.join(QStringLiteral(", "))));
        return false;
    }
    ChooseFilterOnceItRuns(chosen);
    return true;
}

bool ReadItemList(const QString& text, const QList<int>& valid, QString (*caption)(int),
                  QList<int>& items, QString& error) {
    QStringList captions;
    for (int code : valid)
        captions << QStringLiteral("%1 (%2)").arg(Quoted(caption(code))).arg(code);
    const QString validText = "the items are: " + captions.join(QStringLiteral(", "));
    QList<int> read;
    for (const QString& piece : text.split(',')) {
        const QString item = piece.trimmed();
        int found = -1;
        bool isNumber = false;
        const int number = item.toInt(&isNumber);
        for (int code : valid)
            if ((isNumber && code == number) ||
                (!isNumber && caption(code).compare(item, Qt::CaseInsensitive) == 0))
                found = code;
        if (found < 0) {
            error = (item.isEmpty() ? QStringLiteral("an empty item in %1").arg(Quoted(text))
                                    : QStringLiteral("unknown item %1").arg(Quoted(item))) +
                    "; " + validText;
            return false;
        }
        read << found;
    }
    items = read;
    return true;
}

bool MayReplace(const QString& path, const QString& title) {
    if (!QFileInfo::exists(path))
        return true;
    return Dialogs::Current().AskYesNo(
        QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(path), title,
        MessageIcon::Warning);
}
