#include "printing/label_sheet.h"

#include "database/label_record.h"
#include "printing/printer_object.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kTwipsPerInch = 1440;
// The part of the column difference that a label's text keeps clear of, and the least part
// of the row difference it has.
constexpr double kColumnClearance = 1.0 / 8;
constexpr double kLeastRowPart = 3.0 / 4;
// What is kept clear of a row's reckoned bottom edge (1/16 inch).
constexpr double kEdgeTolerance = kTwipsPerInch / 16;

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

QRectF LabelSheet::TextArea(int row, int column, const PrinterObject& printer) const {
    const QPoint at = Position(row, column);
    const QRectF printable(0, 0, printer.PageWidth(), printer.PageHeight());
    const double width = m_columns > 1
                             ? double(m_columnDelta) * (1 - kColumnClearance) * kTwipsPerInch
                             : printable.width() - at.x();
    const double rowDelta = double(m_rowDelta) * kTwipsPerInch;
    const QRectF paper = printer.PaperRect();
    const double sheetTop = paper.top() + (paper.height() - m_rows * rowDelta) / 2;
    const double rowBottom = sheetTop + (row + 1) * rowDelta - kEdgeTolerance;
    const double bottom =
        std::max(at.y() + kLeastRowPart * rowDelta, std::min(rowBottom, at.y() + rowDelta));
    const QRectF area(QPointF(at), QSizeF(width, bottom - at.y()));
    return area.intersected(printable);
}

QList<QRectF> LabelSheet::TextAreas(const PrinterObject& printer) const {
    QList<QRectF> areas;
    for (int column = 0; column < m_columns; ++column)
        for (int row = 0; row < m_rows; ++row)
            areas << TextArea(row, column, printer);
    return areas;
}
