#pragma once

#include <QString>

// What a new list takes over from the current one besides its label layouts.
struct NewListOptions {
    bool templates = false;
    bool switchNames = false;
    bool filters = false;
};

// Makes a complete new list file at path: the control row, sixteen switch names and the
// label layouts (the two standard ones without a current list, else copies of the current
// list's), plus the current list's switch names, filters and templates as the options say
// (ignored when noCurrent). The file is built beside the path and put there only when
// complete. False, with nothing made, when path is the current list, or when the options
// ask for transfers and there is no current list that can be read (the user has been
// told); throws EngineError for any other failure.
bool MakeNewList(const QString& path, bool noCurrent, const NewListOptions& options);

// True when the file at path is a list whose control row can be read (quietly: nothing is
// told, repaired or converted).
bool CurrentListReadable(const QString& path);
