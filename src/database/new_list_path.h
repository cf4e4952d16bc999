#pragma once

#include <QString>

// The rules of the new-list command around MakeNewList: the file name the user chose, the
// check of its folder and the message for a failure.

// The current list as the new-list command reads it: the setting without a fallback (a
// missing key gives an empty path), trimmed.
QString NewListCurrentPath();
// The chosen path with ".mdb" added when its file name has no extension.
QString NewListFileName(const QString& chosen);
// True when a file the user named for the program to write (a new list, an export) can
// be made there: its folder exists and the path is not itself a folder.
bool ValidTargetPath(const QString& path);
// The message for a failure to make the list, by its error number: 61 full disk, 70
// locked or write-protected, anything else "Reason unknown".
QString NewListFailureText(int number);
