#pragma once

#include <QString>

// Prints labels for every record of the list (no filter, name order) on "Avery 5160" sheets
// with nine-digit bar codes to the "PDF file" printer, and returns the seconds the run took.
// Tells the number of sheets and the size of the PDF on the error stream.
double PrintLabelsToPdf(const QString& list);
