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
// The help topics the program opens: the guide's contents, the read-me page, the support
// page, and the pages of the windows that offer help (F1).
constexpr int kHelpContents = 0;
constexpr int kHelpRecords = 1000;
constexpr int kHelpTemplates = 1100;
constexpr int kHelpSwitchNames = 1200;
constexpr int kHelpNewList = 1300;
constexpr int kHelpFilters = 2000;
constexpr int kHelpImport = 3000;
constexpr int kHelpImportPreview = 3100;
constexpr int kHelpDuplicates = 3500;
constexpr int kHelpConvert = 3600;
constexpr int kHelpLabels = 4100;
constexpr int kHelpLabelProducts = 4110;
constexpr int kHelpDeliveryPoint = 4120;
constexpr int kHelpIntelligentMail = 4130;
constexpr int kHelpLabelPreview = 4140;
constexpr int kHelpPrinting = 4150;
constexpr int kHelpPrinter = 4400;
constexpr int kHelpReports = 4500;
constexpr int kHelpGrid = 4600;
constexpr int kHelpReadMe = 8000;
constexpr int kHelpSupport = 8800;
// Opens the user guide (through the dialogs' OpenUrl: the program shows it in its help
// window) at the page, and section, of the numbered topic; a topic without a page, or a
// page that is missing, is reported in a message.
void ShowHelpTopic(int topic);
// The query literal of a date: #m/d/yyyy#, without leading zeros.
QString DateLiteral(const QDate& date);
// Shows the fatal error window with the number and the message; the run ends.
[[noreturn]] void ShowFatalError(int number, const QString& message);

// The folder of the user guide: the folder named by the environment variable
// LETTRINO_HELP, else beside the program, where it is installed (relative to the
// program's folder), in the source tree the program was built from, or in the desktop's
// shared data folders.
QString HelpFolder();
// The page of a topic inside the guide ("readme.html", "settings.html#printer"); empty for
// a topic without one.
QString HelpTopicPage(int topic);
// The full path of a topic's page, with its section after "#"; empty for a topic without
// one.
QString HelpTopicFile(int topic);
