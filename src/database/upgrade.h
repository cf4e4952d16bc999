#pragma once

#include <QString>
#include <functional>

// Brings the list file at path to the current format version, before it is opened:
// a version-1 list and a list file of the Jet engine (version 1 or 2) are converted into
// a fresh list, the original kept beside it as "<BASE NAME>.bak"; a version-2 file is
// stamped 2 again; a version this program knows no conversion for, and a Jet file that
// is not a list, are left unchanged. Errors are thrown (EngineError); callers ignore them
// and the open then reports the file as it finds it. The list's path always holds a
// complete list: the new file is written in full before it takes the old one's place.
void UpgradeDatabase(const QString& path);

// The names the conversion uses beside the list.
QString UpgradeWorkFile(const QString& path);   // "GLTmp.mdb" in the list's folder
QString UpgradeBackupFile(const QString& path); // BaseFileName + ".bak" in that folder

// Test seam: called with the name of each step of a conversion ("converted", "kept",
// "replaced"); a hook that throws stops the conversion there, as a crash would.
void SetUpgradeStepHook(std::function<void(const char* step)> hook);
