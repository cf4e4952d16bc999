#pragma once

#include <QPoint>

struct LabelRecord;

// Where the labels of a sheet lie, from a label definition: row r and column c (counted from
// 0) have their top left corner at (ColDelta x c + IndentLeft, RowDelta x r + IndentTop)
// inches, taken to the nearest whole twip. The positions are filled down each column, then
// column by column from left to right.
class LabelSheet {
public:
    explicit LabelSheet(const LabelRecord& label);

    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    // A sheet needs at least one row and one column to take labels.
    bool Usable() const { return m_rows > 0 && m_columns > 0; }

    QPoint Position(int row, int column) const;

private:
    int m_rows;
    int m_columns;
    float m_indentTop;
    float m_indentLeft;
    float m_rowDelta;
    float m_columnDelta;
};
