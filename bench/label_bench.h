#pragma once

#include <QString>

// Prints labels for every record of the list (no filter, name order) on "Avery 5160" sheets
// with nine-digit bar codes to the "PDF file" printer, and returns the seconds the run took.
// Tells the number of sheets and the size of the PDF on the error stream.
double PrintLabelsToPdf(const QString& list);

// The same run on a preview of the "PDF file" printer, as the label window's Preview makes
// it: the seconds until the first page is complete and drawn as the window draws it (at
// 100 dpi). The run then stops, as when the window is closed.
double PreviewLabelsFirstPage(const QString& list);
