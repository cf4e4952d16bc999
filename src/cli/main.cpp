// lettrino-cli: the batch command-line tool. It runs the program's core without windows;
// printing needs Qt's GUI classes (fonts, PDF pages), which work without a display on the
// offscreen platform.

#include "cli/tool.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

// Standard error carries the program's messages, one per line, for scripts to read; Qt's
// own notes about the platform (such as a missing runtime folder) would only get in their
// way. Critical and fatal reports still go through.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "lettrino-cli: %s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QtMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return RunTool(QGuiApplication::arguments().mid(1));
}
