#pragma once

#include <QString>
#include <QStringList>

class CommandLine;

// The commands on the per-user settings; they need no list. Each returns the exit status
// (see ExitStatus).

// printer [--name NAME] [--font FONT] [--page-limit N]: shows or sets the values of
// Printer Setup.
int RunPrinter(const CommandLine& line);
// intelligent-mail [...]: shows or sets the Intelligent Mail settings, with the checks of
// their window.
int RunIntelligentMail(const CommandLine& line);

// The entry of names that equals name (an exact match first, then without regard to case);
// empty, after telling the user which names there are, when none does: "there is no WHAT
// named ...; the PLURAL are: ...". plural defaults to what with an "s".
QString ChooseNamed(const QStringList& names, const QString& name, const QString& what,
                    const QString& plural = QString());
// The fonts printing to a PDF file can use.
QStringList PdfFonts();
