#pragma once

#include <QString>

class PrinterObject;

// Placing single lines and rules on a report page. One line is the printer's text height of
// "M" at its current font; every length is in twips.

// True when n more lines fit below y: page height - y - n lines >= one line + bottom.
// bottom 0 stands for the page limit, y -1 for the current y. (One line more than asked
// for stays free above the bottom strip.)
bool LinesFit(const PrinterObject& printer, int n, double bottom = 0, double y = -1);
// Prints the text at x on the current line, without ending the line.
void PrintAt(PrinterObject& printer, double x, const QString& text);
// Prints the text so that it ends at right, without ending the line.
void PrintRightAligned(PrinterObject& printer, double right, const QString& text);
// The text without leading and trailing spaces, then shortened from the end one character
// at a time until it is at most width wide (possibly empty).
QString FitToWidth(const PrinterObject& printer, const QString& text, double width);
// The text as it is when it is at most width wide, else as FitToWidth cuts it.
QString CutToWidth(const PrinterObject& printer, const QString& text, double width);
// A solid black line of the given width (in dots) from x1 to x2 at the current y; then the
// current y moves down half a line and the current x to 0.
void SolidRule(PrinterObject& printer, int lineWidth, double x1, double x2);
// A dotted black line one dot wide from x1 to x2 at the current y; then the current y moves
// down a quarter line, lines are solid again and the current x is 0.
void DottedRule(PrinterObject& printer, double x1, double x2);

// The text as one paragraph: every line break (CR LF, and a lone CR or LF as text files and
// other programs may leave) becomes one space.
QString JoinLines(const QString& text);
// The number of lines the text holds, split at the same line breaks; 0 for an empty text.
int CountLines(const QString& text);
