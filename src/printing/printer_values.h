#pragma once

#include <QString>

class PrinterObject;

// The program-wide printer values that the printer window sets and printing reads.

// The font that labels and reports are printed in; empty until one has been chosen.
QString PrinterFontName();
void SetPrinterFontName(const QString& name);

// The page limit: twips at the bottom of every report page that stay free.
constexpr int kDefaultPageLimit = 100;
int PageLimit();
void SetPageLimit(int twips);

// The whole-number value of a typed page limit: the number at the start of the text
// (leading blanks and a sign allowed, a decimal fraction rounded), 0 when the text does not
// start with a number. A negative value counts as 0, as no report may print below the page.
int PageLimitValue(const QString& text);

// The common start of every print job: the printer font name := the program-wide printer
// font name (left as it is while none has been chosen); bold, italic, underline and
// strikethrough off; current position (0, 0).
void SetupPrinterFont(PrinterObject& printer);
