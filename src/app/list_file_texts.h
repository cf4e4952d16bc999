#pragma once

#include <QString>

class EngineError;

// The proposals and messages of the list-file commands (backup, backup folder, compaction).

// The folder that stands in for a backup folder never set: the home folder, ending in "/".
QString DefaultBackupFolder();
// The backup folder the user set (section "Database", key "BackPath"), trimmed; the default
// folder when it is missing or blank.
QString BackupFolderSetting();
// The backup folder as the user typed it, ending in a separator ("/" added when it ends in
// neither "/" nor "\"); empty when the text is empty after trimming.
QString BackupFolderEntry(const QString& typed);
// The proposed backup file: the backup folder followed by the list's file name in upper
// case, for example "/home/ann/backups/CLUB.MDB".
QString BackupProposal(const QString& backupFolder, const QString& listPath);

// What the user is told when copying the list for a backup fails, by the error's number.
QString BackupFailureText(const EngineError& error);
// What the user is told when compacting the list fails, by the error's number.
QString CompactFailureText(const EngineError& error);
// What the user is told when the list at path was compacted and its previous version kept
// as keptAs: "Compacting complete.", and the name kept when it is not the usual BAK name.
QString CompactDoneText(const QString& path, const QString& keptAs);
