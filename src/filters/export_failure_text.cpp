#include "filters/export_failure_text.h"

#include "database/engine_error.h"

QString ExportFailureText(const EngineError& error, bool mailMerge, const QString& path) {
    QString failure;
    switch (error.Number()) {
    case JetError::DiskFull:
        failure = QStringLiteral("Not enough space on the destination disk");
        break;
    case JetError::FileLocked:
        failure = QStringLiteral("File is locked or write protected");
        break;
    case JetError::FileInUse:
        failure = error.Description();
        break;
    default:
        failure = mailMerge ? QStringLiteral("Couldn't read the file. Reason unknown.")
                            : QStringLiteral("Couldn't create the export file. Reason unknown.");
    }
    return failure + "\n" + path;
}
