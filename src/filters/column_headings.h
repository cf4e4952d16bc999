#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The item a column heading names: one of the transfer items' captions, or a name that
// address books and spreadsheets give their columns ("Surname", "Postal Code", "E-mail",
// ...). Headings are compared without regard to case, blanks and punctuation. -1 when the
// heading names no item.
int ItemForHeading(const QString& heading);

// The items of a file's columns, read from its header line.
struct HeadingMap {
    QList<int> fields;     // one item code per column; TransferItem::Skip where none
    QStringList unmatched; // headings of the columns that are skipped
};

// Maps each heading to its item. A column whose item an earlier column already took is
// skipped (an address book's second phone number does not replace the first). A company
// or organisation column becomes the first address line, before the street lines.
HeadingMap MapHeadings(const QStringList& headings);

// True when a first line names at least one item among its cells: it is a header, not a
// record.
bool LooksLikeHeader(const QStringList& cells);
