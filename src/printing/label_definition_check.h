#pragma once

#include <QString>

struct LabelRecord;

// A label definition as typed into the label window's boxes.
struct LabelDefinitionTexts {
    QString name;
    QString rows;
    QString columns;
    QString indentTop;
    QString indentLeft;
    QString rowDelta;
    QString columnDelta;
    QString typeSize;
};

// The numeric value of a typed number: the number the text starts with after leading
// blanks (a sign and a decimal fraction allowed), 0 when it starts otherwise.
double NumericValue(const QString& text);

// The message of the first check the definition fails, in this order: a name, rows,
// columns, a row difference, a column difference (only for more than one column) and a
// type size. Empty when it passes. Indents may be 0.
QString CheckLabelDefinition(const LabelDefinitionTexts& texts);

// The definition to store: the name as typed and the numeric values of the numbers.
LabelRecord LabelFromTexts(const LabelDefinitionTexts& texts);
// A stored number as a box shows it: "0.5", "10", "2.8" (the single-precision value
// without the digits a double would add).
QString LabelNumberText(float value);
