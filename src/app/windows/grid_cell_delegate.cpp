#include "app/windows/grid_cell_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextOption>

int GridCellDelegate::CellMargin(const QWidget* view) {
    const QStyle* style = view ? view->style() : QApplication::style();
    // The text margin on either side, and the grid line.
    return (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) * 2 + 1;
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    cell.text.clear();
    const QWidget* view = cell.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect area = cell.rect.adjusted(margin, 0, -margin, 0);
    QTextOption layout(Qt::AlignLeft | Qt::AlignTop);
    layout.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    painter->save();
    painter->setFont(cell.font);
    const bool selected = cell.state & QStyle::State_Selected;
    painter->setPen(cell.palette.color(cell.state & QStyle::State_Enabled ? QPalette::Normal
                                                                          : QPalette::Disabled,
                                       selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRectF(area), text, layout);
    painter->restore();
}
