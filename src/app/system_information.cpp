#include "app/system_information.h"

#include <QProcess>
#include <QStandardPaths>

QStringList SystemInformationPrograms() {
    // Hardware and system overviews first, then the desktops' system monitors.
    return {QStringLiteral("hardinfo2"),
            QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"),
            QStringLiteral("lshw-gtk"),
            QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"),
            QStringLiteral("xfce4-taskmanager")};
}

QString FindSystemInformationProgram() {
    for (const QString& name : SystemInformationPrograms()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

bool StartSystemInformation() {
    const QString program = FindSystemInformationProgram();
    return !program.isEmpty() && QProcess::startDetached(program, {});
}
