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
    const QString beside = ProgramFolder() + "/help";
    if (QFileInfo::exists(beside + "/index.html"))
        return beside;
    const QString installed = ProgramFolder() + "/../share/lettrino/help";
    if (QFileInfo::exists(installed + "/index.html"))
        return QDir::cleanPath(installed);
    return QStringLiteral(LETTRINO_HELP_DIR);
}

QString HelpTopicFile(int topic) {
    const QString page = HelpFolder() + QStringLiteral("/topic-%1.html").arg(topic);
    return QFileInfo::exists(page) ? page : HelpFolder() + "/index.html";
}

void ShowHelpTopic(int topic) {
    Dialogs::Current().OpenUrl(QUrl::fromLocalFile(HelpTopicFile(topic)));
}

QString DateLiteral(const QDate& date) {
    return QStringLiteral("#%1/%2/%3#").arg(date.month()).arg(date.day()).arg(date.year());
}

void ShowFatalError(int number, const QString& message) {
    Dialogs::Current().ShowFatal(number, message);
    // An implementation that returns would let broken work go on: stop here instead.
    std::_Exit(EXIT_FAILURE);
}
