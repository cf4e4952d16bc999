#pragma once

#include <QString>

// True when a and b name the same file, however they are spelled: through symbolic links,
// "a/../a" spellings or a second mount of the folder. Two existing files are the same when
// they share device and inode; a name that does not exist yet is compared by its folder's
// canonical path and its file name.
bool SameFile(const QString& a, const QString& b);

// The file a path names: the target of a symbolic link (whose contents a list replaced as
// a whole must be, so that the link stays), else the path itself.
QString FileBehindLink(const QString& path);

// A name beside preferred for a work or backup file that is not the list at keep (its own
// name, however spelled, or a link to it): preferred itself when it names another file
// (another hard link to the same contents counts as another file: removing it leaves the
// list), else "<stem>-2.<ext>", "<stem>-3.<ext>" ... the first that names no file yet.
QString SideFileAvoiding(const QString& preferred, const QString& keep);
