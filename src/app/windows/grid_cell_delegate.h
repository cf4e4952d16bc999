#pragma once

#include <QStyledItemDelegate>

// Draws a grid cell's text wrapped at spaces and, where a word is wider than the cell,
// inside the word as well, so that a long e-mail address stays readable in a taller row.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The width a cell's margins take from its column, in pixels.
    static int CellMargin(const QWidget* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
