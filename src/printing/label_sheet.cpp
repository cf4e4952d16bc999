#include "printing/label_sheet.h"

#include "database/label_record.h"

#include <cmath>

namespace {
constexpr double kTwipsPerInch = 1440;
// The parts of the column and row differences that a label's text keeps clear of.
constexpr double kColumnClearance = 1.0 / 8;
constexpr double kRowClearance = 1.0 / 4;

int WholeTwips(double inches) {
    return int(std::lround(inches * kTwipsPerInch));
}
} // namespace

LabelSheet::LabelSheet(const LabelRecord& label)
    : m_rows(int(label.LRows)), m_columns(int(label.LCols)), m_indentTop(label.IndentTop),
      m_indentLeft(label.IndentLeft), m_rowDelta(label.RowDelta), m_columnDelta(label.ColDelta) {}

QPoint LabelSheet::Position(int row, int column) const {
    return QPoint(WholeTwips(double(m_columnDelta) * column + double(m_indentLeft)),
                  WholeTwips(double(m_rowDelta) * row + double(m_indentTop)));
}

QRectF LabelSheet::TextArea(int row, int column, const QSizeF& printable) const {
    const QPoint at = Position(row, column);
    const double width = m_columns > 1
                             ? double(m_columnDelta) * (1 - kColumnClearance) * kTwipsPerInch
                             : printable.width() - at.x();
    const double height = double(m_rowDelta) * (1 - kRowClearance) * kTwipsPerInch;
    const QRectF area(QPointF(at), QSizeF(width, height));
    return area.intersected(QRectF(QPointF(0, 0), printable));
}

QList<QRectF> LabelSheet::TextAreas(const QSizeF& printable) const {
    QList<QRectF> areas;
    for (int column = 0; column < m_columns; ++column)
        for (int row = 0; row < m_rows; ++row)
            areas << TextArea(row, column, printable);
    return areas;
}
