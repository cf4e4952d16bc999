#pragma once

#include <QString>

class PrinterObject;

// Word-wrapped paragraphs for reports, measured with the printer's own text metrics at its
// current font. Lines break after spaces; a word too wide for its column is split with a
// hyphen, before a vowel where a piece ending there fits, or after a hyphen it already has.

// Prints the text as one paragraph (its line breaks become spaces) wrapped into width,
// starting at (x, y) at the given font size; with hangingIndent every line after the first
// starts with four spaces. Afterwards the current y stands below the last line and the font
// size is what it was.
void PrintParagraph(PrinterObject& printer, double x, double y, double width, double fontSize,
                    const QString& text, bool hangingIndent);
// The number of lines PrintParagraph would print, without printing.
int CountParagraphLines(PrinterObject& printer, double width, double fontSize, const QString& text,
                        bool hangingIndent);

// Takes the next line off the front of rest, for a column of width that will be printed
// after prefix. A line ending at a space keeps that space.
QString NextLine(const PrinterObject& printer, QString& rest, double width, const QString& prefix);
// Takes a piece that fits into a off the front of rest, which is too wide for it: the part
// up to an existing hyphen, else a piece followed by an added "-". It always takes at least
// one character, so wrapping comes to an end however narrow the column.
QString BreakWord(const PrinterObject& printer, QString& rest, double a);
