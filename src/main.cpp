#include "app/dialogs.h"
#include "app/settings.h"
#include "app/value_formats.h"
#include "app/windows/main_form.h"
#include "app/windows/qt_dialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The settings store is kept under the name "Tessavane".
    QCoreApplication::setOrganizationName("Tessavane");
    QCoreApplication::setApplicationName("Lettrino");
    QtDialogs dialogs;
    Dialogs::Install(&dialogs);

    SetInternational(GetFlagSetting("Settings", "International"));
    MainForm window;
    window.show();
    window.OpenCurrentList();
    const int result = app.exec();
    Dialogs::Install(nullptr);
    return result;
}
