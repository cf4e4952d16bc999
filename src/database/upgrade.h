#pragma once

#include <QString>

// Brings the list file at path to the current format version. A version-2 file is
// stamped 2 again; a version this program knows no conversion for is left unchanged.
// Errors are thrown (EngineError); callers ignore them and let the open report the file.
void UpgradeDatabase(const QString& path);
