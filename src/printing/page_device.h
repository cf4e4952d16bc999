#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class QPaintDevice;
class QPainter;

// Where a painted printer's documents go: a PDF file, a system printer (made in the
// windows library, which may use QPrinter), or pictures of the pages for a preview. The
// device hands out a paint device for each document and takes it back when the document
// ends.
class PageDevice {
public:
    virtual ~PageDevice();

    virtual QString DeviceName() const = 0;
    // The printable area in twips; known before any document is opened.
    virtual QSizeF PrintableSize() const = 0;
    // The whole sheet in the same twips, measured from the top left of the printable area
    // (so its corner lies at zero or above and to the left). By default the sheet is the
    // printable area.
    virtual QRectF PaperRect() const { return QRectF(QPointF(0, 0), PrintableSize()); }
    // Opens a new document; nullptr when there is none to paint on (the user cancelled or
    // has been told why). The device keeps ownership. The painter's origin is the top left
    // of the printable area.
    virtual QPaintDevice* OpenDocument() = 0;
    // Begins the next page of the open document, on which the painter goes on. By default
    // the paged device's own new page; a device may instead end the painter on one page and
    // begin it on another, after which the caller sets the painter up again.
    virtual void StartPage(QPainter& painter);
    // Called while the painter is still active on a document that is to be discarded.
    virtual void AbortDocument() {}
    // Called after the painter has ended: keep hands the document over, else it leaves
    // nothing behind.
    virtual void CloseDocument(bool keep) = 0;
    // A new print run begins; documentName suggests a name for it.
    virtual void StartRun(const QString& documentName) { (void)documentName; }
    // True when the user declined the current run.
    virtual bool RunCancelled() const { return false; }
    // True for a device that shows the pages on screen only.
    virtual bool ForScreen() const { return false; }
};
