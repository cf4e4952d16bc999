#include "printing/text_file_failure.h"

#include "database/engine_error.h"

#include <cerrno>

QString TextFileFailure(const EngineError& error, const QString& path) {
    switch (error.Number()) {
    case JetError::DiskFull:
        return "Not enough space on the destination disk\n" + path;
    case JetError::FileLocked:
        return "File is locked or write protected\n" + path;
    case JetError::FileInUse:
        return error.Description() + "\n" + path;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case EISDIR:
    case EINVAL:
        return "Invalid path name: " + path;
    default:
        return "Couldn't create the file. Reason unknown.\n" + path;
    }
}
