#pragma once

#include <QString>

// Operations on a whole list file, run while no store holds it open. Both write the new
// file completely before anything is renamed, so the list's path always holds a complete
// list and a failure leaves every file the user had as it was. Failures throw EngineError
// with the Jet number of the case: 61 disk full, 70 locked or write-protected.

// Copies the list at source to target (replacing a file there only once the copy is
// complete).
void BackupListFile(const QString& source, const QString& target);

// The compaction work file ("LTCompact.mdb" in the list's folder) and the name the
// previous version keeps (the path with its last three characters replaced by "BAK").
QString CompactWorkFile(const QString& path);
QString CompactBackupFile(const QString& path);

// Rewrites the list compactly into the work file, keeps the previous version under the
// BAK name and puts the compacted file at the path. On failure the work file is removed.
void CompactListFile(const QString& path);
