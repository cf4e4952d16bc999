#pragma once

#include <QString>

class EngineError;

// What the user is told when an export (or a mail-merge file) can't be written, by the
// error's number: 61 full disk, 70 locked or write-protected, anything else the command's
// "Reason unknown" message; the path follows on a line of its own.
QString ExportFailureText(const EngineError& error, bool mailMerge, const QString& path);
