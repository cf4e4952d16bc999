#pragma once

#include <QString>

class QDate;

// The product name: caption of information boxes and of the main window.
QString ApplicationTitle();

// The warning sound: "ding.wav" beside the program when the machine can play it, else the
// system beep. Whether the machine has a sound device is worked out once per run.
void Ding();

// Message box with an information icon and an OK button under the application title.
void InfoBox(const QString& text);
// The same box titled "Sorry".
void SorryBox(const QString& text);
// "Are you sure?" with a question icon under the given title; true for Yes.
bool AreYouSure(const QString& title);
// "You first must open a mailing list" with a warning icon.
void MustOpenList();
// Opens the user guide at the page of the numbered topic.
void ShowHelpTopic(int topic);
// The query literal of a date: #m/d/yyyy#, without leading zeros.
QString DateLiteral(const QDate& date);
// Shows the fatal error window with the number and the message; the run ends.
[[noreturn]] void ShowFatalError(int number, const QString& message);

// The folder of the user guide, and the page that holds a topic.
QString HelpFolder();
QString HelpTopicFile(int topic);
