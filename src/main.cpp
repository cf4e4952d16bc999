#include "app/dialogs.h"
#include "app/windows/main_form.h"
#include "app/windows/qt_dialogs.h"
#include "app/windows/query_stop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <cstdio>

namespace {

// "--startup-benchmark": start as usual with messages on the console, show the window
// with the first record of the current list, report how long that took and end.
int StartupBenchmark(const QElapsedTimer& clock) {
    ConsoleDialogs console;
    Dialogs::Install(&console);
    int result = 0;
    {
        MainForm window;
        const qint64 opened = clock.elapsed();
        window.show();
        QApplication::processEvents();
        const qint64 shown = clock.elapsed();
        std::printf("list opened, first record shown: %lld ms\n", static_cast<long long>(opened));
        std::printf("window on screen:                %lld ms\n", static_cast<long long>(shown));
        std::printf("record shown: ID %lld\n", static_cast<long long>(window.CurrentID()));
        result = window.ListIsOpen() ? 0 : 1;
    }
    Dialogs::Install(nullptr);
    return result;
}

} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    // The settings store is kept under the name "Tessavane".
    QCoreApplication::setOrganizationName("Tessavane");
    QCoreApplication::setApplicationName("Lettrino");
    // The desktop's menu entry (lettrino.desktop) and the program's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("lettrino"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/lettrino.svg")));
    if (QCoreApplication::arguments().contains(QStringLiteral("--startup-benchmark")))
        return StartupBenchmark(clock);

    QtDialogs dialogs;
    Dialogs::Install(&dialogs);
    InstallQueryStop();
    int result = 0;
    {
        MainForm window;
        window.show();
        result = app.exec();
    }
    Dialogs::Install(nullptr);
    return result;
}
