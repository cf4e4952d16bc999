#pragma once

#include <QList>
#include <QString>

// What the commands share: the tool's own messages, opening the current list, choosing a
// filter, reading item lists and asking before a file is replaced.

// A message of the tool itself (no box of the program says it): "lettrino-cli: text" on
// standard error.
void ToolMessage(const QString& text);
// A line of a command's result on standard output.
void PrintResult(const QString& text);
// Reports a usage error of a command: the message, then the command's usage text; returns
// the usage error's exit status.
int UsageError(const QString& command, const QString& message);

// How many messages the program has shown so far in this run.
int MessagesShown();

// Opens the current list as the program does, after making path (when given) the current
// list as opening it in the program would, and loads its switch names. False when the
// list can't be opened; the user has been told why.
bool OpenList(const QString& path);

// Makes the filter of that name current, as choosing it in a filter box does ("<None>"
// chooses none). Names are compared without regard to case, an exact match first. An
// unknown name is reported with the names there are; false then.
bool ChooseFilter(const QString& name);

// Reads a comma-separated list of items, each the caption of one of the valid items
// (compared without regard to case) or its code. False for an empty list or an unknown
// item, with error describing it and naming the valid items.
bool ReadItemList(const QString& text, const QList<int>& valid, QString (*caption)(int),
                  QList<int>& items, QString& error);

// True when nothing is at path, or when the question whether to replace the file there is
// answered Yes; the question is asked under the title of the program's file dialog.
bool MayReplace(const QString& path, const QString& title);
