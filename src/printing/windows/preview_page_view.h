#pragma once

#include <QList>
#include <QRectF>
#include <QWidget>

class PreviewPages;

// Shows one page of a preview on its sheet, at a zoom (1 is the sheet's real size on the
// screen), with the faint outlines given (in the printer's twips) over every page.
class PreviewPageView : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPageView(QWidget* parent = nullptr);

    void SetPages(const PreviewPages* pages) { m_pages = pages; }
    void SetOutlines(const QList<QRectF>& outlines);
    const QList<QRectF>& Outlines() const { return m_outlines; }
    // The page shown, from 0; -1 for none (before the first page is complete).
    void ShowPage(int page);
    int Page() const { return m_page; }
    void SetZoom(double zoom);
    double Zoom() const { return m_zoom; }
    // The zoom at which the whole sheet, or its width, fills the room given (in pixels).
    double ZoomToFit(const QSize& room, bool widthOnly) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Screen pixels per twip at the current zoom.
    double Scale() const;
    QSizeF SheetPixels(double zoom) const;

    const PreviewPages* m_pages = nullptr;
    QList<QRectF> m_outlines;
    int m_page = -1;
    double m_zoom = 1;
};
