#pragma once

#include <QList>
#include <QPoint>
#include <QRectF>

class PrinterObject;
struct LabelRecord;

// Where the labels of a sheet lie, from a label definition: row r and column c (counted from
// 0) have their top left corner at (ColDelta x c + IndentLeft, RowDelta x r + IndentTop)
// inches, taken to the nearest whole twip. The positions are filled down each column, then
// column by column from left to right.
//
// A definition tells where each label's text starts and how far apart the labels are, not
// where the labels' own edges lie: a sheet's columns have gaps between them, and the text
// starts a little inside its label. So a label's text area, which nothing printed for the
// label may leave, keeps clear of the next label and never reaches outside the printer's
// printable area:
//   - across, it is 7/8 of the column difference wide (a sheet of one column: as wide as
//     the printable area lets it be);
//   - down, it reaches to the bottom edge of its row, reckoned as sheets are made, with the
//     rows one under the other in the middle of the paper, less 1/16 inch for the
//     tolerances of printer and sheet; but it never reaches the next row's text, and it is
//     at least 3/4 of the row difference high.
class LabelSheet {
public:
    explicit LabelSheet(const LabelRecord& label);

    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    // A sheet needs at least one row and one column to take labels.
    bool Usable() const { return m_rows > 0 && m_columns > 0; }

    QPoint Position(int row, int column) const;
    // The text area of the label at that position on the printer, in its twips. Empty when
    // the label lies outside the printable area.
    QRectF TextArea(int row, int column, const PrinterObject& printer) const;
    // The text areas of every position of the sheet, down each column, then across.
    QList<QRectF> TextAreas(const PrinterObject& printer) const;

private:
    int m_rows;
    int m_columns;
    float m_indentTop;
    float m_indentLeft;
    float m_rowDelta;
    float m_columnDelta;
};
