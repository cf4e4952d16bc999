#include "app/messages.h"

#include "app/dialogs.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <cstdlib>
#include <utility>

namespace {

// The program that plays a wave file synchronously, when the machine has a playback device.
QString SoundPlayer() {
    static const QString player = [] {
        const QStringList devices = QDir("/dev/snd").entryList({"pcmC*p"}, QDir::System);
        if (devices.isEmpty())
            return QString();
        for (const char* name : {"aplay", "paplay", "pw-play"}) {
            const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (!found.isEmpty())
                return found;
        }
        return QString();
    }();
    return player;
}

QString ProgramFolder() {
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                        : QDir::currentPath();
}

} // namespace

QString ApplicationTitle() {
    return QStringLiteral("Lettrino");
}

void Ding() {
    const QString player = SoundPlayer();
    if (player.isEmpty()) {
        Dialogs::Current().Beep();
        return;
    }
    const QString sound = ProgramFolder() + "/ding.wav";
    if (QFileInfo::exists(sound))
        QProcess::execute(player, {sound});
}

void InfoBox(const QString& text) {
    Dialogs::Current().ShowMessage(text, ApplicationTitle(), MessageIcon::Information);
}

void SorryBox(const QString& text) {
    Dialogs::Current().ShowMessage(text, QStringLiteral("Sorry"), MessageIcon::Information);
}

bool AreYouSure(const QString& title) {
    return Dialogs::Current().AskYesNo(QStringLiteral("Are you sure?"), title,
                                       MessageIcon::Question);
}

void MustOpenList() {
    Dialogs::Current().ShowMessage(QStringLiteral("You first must open a mailing list"),
                                   ApplicationTitle(), MessageIcon::Warning);
}

QString HelpFolder() {
    // LETTRINO_HELP names the guide's folder outright (a guide kept elsewhere, tests).
    const QString chosen = qEnvironmentVariable("LETTRINO_HELP");
    if (!chosen.isEmpty())
        return QDir::cleanPath(chosen);
    const QString program = ProgramFolder();
    QStringList candidates = {program + QStringLiteral("/help")};
#ifdef LETTRINO_HELP_FROM_PROGRAM
    candidates << program + QStringLiteral("/" LETTRINO_HELP_FROM_PROGRAM);
#endif
    candidates << program + QStringLiteral("/../share/lettrino/help");
    candidates << QStringLiteral(LETTRINO_HELP_DIR);
    for (const QString& folder : std::as_const(candidates)) {
        if (QFileInfo::exists(folder + QStringLiteral("/index.html")))
            return QDir::cleanPath(folder);
    }
    // A guide installed for the whole system or for this user.
    const QString shared = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                  QStringLiteral("lettrino/help/index.html"));
    if (!shared.isEmpty())
        return QFileInfo(shared).absolutePath();
    return QDir::cleanPath(candidates.last());
}

QString HelpTopicPage(int topic) {
    switch (topic) {
    case kHelpContents:
        return QStringLiteral("index.html");
    case kHelpReadMe:
        return QStringLiteral("readme.html");
    case kHelpSupport:
        return QStringLiteral("support.html");
    case kHelpRecords:
        return QStringLiteral("records.html");
    case kHelpTemplates:
        return QStringLiteral("records.html#templates");
    case kHelpSwitchNames:
        return QStringLiteral("lists.html#switches");
    case kHelpNewList:
        return QStringLiteral("lists.html#new");
    case kHelpFilters:
        return QStringLiteral("filters.html");
    case kHelpImport:
        return QStringLiteral("import-export.html");
    case kHelpImportPreview:
        return QStringLiteral("import-export.html#import");
    case kHelpDuplicates:
        return QStringLiteral("bulk-changes.html#duplicates");
    case kHelpConvert:
        return QStringLiteral("bulk-changes.html#convert");
    case kHelpLabels:
        return QStringLiteral("labels.html");
    case kHelpLabelProducts:
        return QStringLiteral("labels.html#products");
    case kHelpDeliveryPoint:
        return QStringLiteral("labels.html#barcodes");
    case kHelpIntelligentMail:
        return QStringLiteral("labels.html#imb");
    case kHelpLabelPreview:
        return QStringLiteral("labels.html#preview");
    case kHelpPrinting:
        return QStringLiteral("labels.html#printing");
    case kHelpGrid:
        return QStringLiteral("reports.html#grid");
    case kHelpPrinter:
        return QStringLiteral("settings.html#printer");
    case kHelpReports:
        return QStringLiteral("reports.html");
    default:
        return QString();
    }
}

QString HelpTopicFile(int topic) {
    const QString page = HelpTopicPage(topic);
    return page.isEmpty() ? QString() : HelpFolder() + QLatin1Char('/') + page;
}

void ShowHelpTopic(int topic) {
    const QString file = HelpTopicFile(topic);
    if (file.isEmpty()) {
        Dialogs::Current().ShowMessage(
            QStringLiteral("There is no help page for topic %1.").arg(topic), ApplicationTitle(),
            MessageIcon::Warning);
        return;
    }
    const QString path = file.section(QLatin1Char('#'), 0, 0);
    if (!QFileInfo::exists(path)) {
        Dialogs::Current().ShowMessage(
            QStringLiteral("Couldn't find the help page \"%1\". The user guide may not be "
                           "installed.")
                .arg(QDir::toNativeSeparators(path)),
            ApplicationTitle(), MessageIcon::Warning);
        return;
    }
    QUrl page = QUrl::fromLocalFile(path);
    const QString section = file.section(QLatin1Char('#'), 1);
    if (!section.isEmpty())
        page.setFragment(section);
    Dialogs::Current().OpenUrl(page);
}

QString DateLiteral(const QDate& date) {
    return QStringLiteral("#%1/%2/%3#").arg(date.month()).arg(date.day()).arg(date.year());
}

void ShowFatalError(int number, const QString& message) {
    Dialogs::Current().ShowFatal(number, message);
    // An implementation that returns would let broken work go on: stop here instead.
    std::_Exit(EXIT_FAILURE);
}
