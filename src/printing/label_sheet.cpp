#include "printing/label_sheet.h"

#include "database/label_record.h"

#include <cmath>

namespace {
constexpr double kTwipsPerInch = 1440;

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
