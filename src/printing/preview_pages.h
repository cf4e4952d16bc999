#pragma once

#include "printing/page_device.h"

#include <QList>
#include <QPicture>
#include <QRectF>
#include <deque>
#include <functional>
#include <memory>

class PrinterObject;

// The page device of a preview: every page painted is kept as a picture, in the printer's
// twips, so that the same printer object and the same runs that print on paper make the
// pages a window shows. The device takes the size of the sheet and of the printable area
// of the printer it stands in for. A run of several documents (one per sheet) previews as
// one run of pages; a discarded document takes its pages with it.
//
// A page is complete once the next one begins or its document ends; the pages can be shown
// while the run is still making the later ones.
class PreviewPages : public PageDevice {
public:
    PreviewPages(const QString& deviceName, const QSizeF& printableSize, const QRectF& paperRect);
    ~PreviewPages() override;

    // A printer object that paints on a new preview device standing in for printer: same
    // sheet, printable area, device name and font. The device is left in *pages.
    static std::unique_ptr<PrinterObject> MakePrinter(const PrinterObject& printer,
                                                      PreviewPages** pages);

    QString DeviceName() const override { return m_deviceName; }
    QSizeF PrintableSize() const override { return m_printableSize; }
    QRectF PaperRect() const override { return m_paperRect; }
    QPaintDevice* OpenDocument() override;
    void StartPage(QPainter& painter) override;
    void CloseDocument(bool keep) override;
    bool ForScreen() const override { return true; }

    // The complete pages so far, and one of them (from 0).
    int CompletedPages() const { return m_completed; }
    const QPicture& Page(int index) const { return m_pages.at(size_t(index)); }
    // Called with the number of complete pages each time a page completes.
    void SetPageCompleted(std::function<void(int)> completed) {
        m_onCompleted = std::move(completed);
    }

private:
    void Complete(int pages);

    QString m_deviceName;
    QSizeF m_printableSize;
    QRectF m_paperRect;
    std::deque<QPicture> m_pages; // a deque: pictures painted on never move
    int m_completed = 0;
    int m_documentStart = 0; // the first page of the open document
    std::function<void(int)> m_onCompleted;
};

// Paints a preview page with the paper's top left corner at the painter's origin, pixels
// (twips x scale) across: the white sheet, the faint outlines (in the printer's twips, on
// screen only) and the page's picture.
void PaintPreviewPage(QPainter& painter, const QPicture& page, const QRectF& paperRect,
                      const QList<QRectF>& outlines, double scale);
