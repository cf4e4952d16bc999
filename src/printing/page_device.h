#pragma once

#include <QSizeF>
#include <QString>

class QPagedPaintDevice;

// Where a painted printer's documents go: a PDF file, or a system printer (made in the
// windows library, which may use QPrinter). The device hands out a paint device for each
// document and takes it back when the document ends.
class PageDevice {
public:
    virtual ~PageDevice();

    virtual QString DeviceName() const = 0;
    // The printable area in twips; known before any document is opened.
    virtual QSizeF PrintableSize() const = 0;
    // Opens a new document; nullptr when there is none to paint on (the user cancelled or
    // has been told why). The device keeps ownership. The painter's origin is the top left
    // of the printable area.
    virtual QPagedPaintDevice* OpenDocument() = 0;
    // Called while the painter is still active on a document that is to be discarded.
    virtual void AbortDocument() {}
    // Called after the painter has ended: keep hands the document over, else it leaves
    // nothing behind.
    virtual void CloseDocument(bool keep) = 0;
    // A new print run begins; documentName suggests a name for it.
    virtual void StartRun(const QString& documentName) { (void)documentName; }
    // True when the user declined the current run.
    virtual bool RunCancelled() const { return false; }
};
