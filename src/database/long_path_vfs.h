#pragma once

// The engine's own file system takes paths of at most 512 bytes; a list deep in folders
// may have a longer one (the system allows 4096). This makes the default file system one
// that opens such a list through a short name: a link, in a folder of this process's own
// under the temporary folder, to the list's folder. The engine then names the list and
// its journal by the short name, and every file still lies in the list's own folder.
// True when it was registered.
bool UseLongPathFileSystem();
