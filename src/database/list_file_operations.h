#pragma once

#include <QString>
#include <functional>

// Operations on a whole list file, run while no store holds it open. Both write the new
// file completely before anything is renamed, so the list's path always holds a complete
// list and a failure leaves every file the user had as it was. Failures throw EngineError
// with the Jet number of the case: 61 disk full, 70 locked or write-protected.

// Copies the list at source to target (replacing a file there only once the copy is
// complete). A list that fails the engine's quick check never replaces an existing file:
// that is the user's last good backup (EngineError 3049, damaged). Work files that killed
// backups of the same target left behind are removed first.
void BackupListFile(const QString& source, const QString& target);

// A compaction's work file: a name of its own beside the list's file, unique to the process
// ("<list>.compact-<process>-<n>.tmp"), so that compactions of two lists of one folder
// never share one. The previous version keeps the path with its last three characters
// replaced by "BAK".
QString CompactWorkFile(const QString& path);
QString CompactBackupFile(const QString& path);

// Rewrites the list compactly into a work file, keeps the previous version under the BAK
// name and puts the compacted file at the path; returns the name the previous version was
// kept as: the BAK name, or another free name when the BAK name is the list's own (a list
// named "club.BAK"). Through a symbolic link the link's target is compacted and the link
// stays. The list is held locked against writers throughout. A write-protected list, or a
// list in a write-protected folder, is refused (3027) before anything is touched. On failure the work file is removed.
QString CompactListFile(const QString& path);

// Test seam: called after the compacted copy is written ("compacted"); a hook that throws
// makes the compaction fail there.
void SetCompactionStepHook(std::function<void(const char* step)> hook);
