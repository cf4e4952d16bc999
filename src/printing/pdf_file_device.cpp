#include "printing/pdf_file_device.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "database/new_database.h"
#include "printing/painter_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

namespace {
// US Letter, 8.5 x 11 inches, in twips.
constexpr double kLetterWidth = 8.5 * 1440;
constexpr double kLetterHeight = 11 * 1440;
constexpr double kTwipsPerPoint = 20;

// The path of the n-th document (from 1) of a run whose first document went to first.
QString NumberedPath(const QString& first, int n) {
    if (n <= 1)
        return first;
    const QFileInfo info(first);
    const QString suffix = info.suffix().isEmpty() ? QString() : "." + info.suffix();
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(QStringLiteral("%1-%2%3").arg(base).arg(n).arg(suffix));
}
// False when the file, or the folder that is to hold it, refuses writing.
bool Writable(const QString& path) {
    const QFileInfo file(path);
    if (file.exists())
        return file.isWritable();
    const QFileInfo folder(file.absolutePath());
    return !folder.exists() || folder.isWritable();
}
} // namespace

PdfFileDevice::PdfFileDevice(const QString& fixedPath) : m_fixedPath(fixedPath) {}

PdfFileDevice::~PdfFileDevice() {
    m_writer.reset();
    if (m_file)
        m_file->cancelWriting();
}

QString PdfFileDevice::Name() {
    return QStringLiteral("PDF file");
}

std::unique_ptr<PrinterObject> PdfFileDevice::MakePrinter(const QString& fixedPath) {
    return std::make_unique<PainterPrinter>(std::make_unique<PdfFileDevice>(fixedPath));
}

QSizeF PdfFileDevice::PrintableSize() const {
    return PaperRect().size() - QSizeF(2 * kPrintableInset, 2 * kPrintableInset);
}

QRectF PdfFileDevice::PaperRect() const {
    return QRectF(-kPrintableInset, -kPrintableInset, kLetterWidth, kLetterHeight);
}

void PdfFileDevice::StartRun(const QString& documentName) {
    m_documentName = documentName;
    m_firstPath.clear();
    m_documents = 0;
    m_cancelled = false;
    m_written.clear();
}

QString PdfFileDevice::NextPath() {
    if (m_cancelled)
        return QString();
    ++m_documents;
    if (m_firstPath.isEmpty()) {
        if (!m_fixedPath.isEmpty()) {
            m_firstPath = m_fixedPath;
        } else {
            const QString name =
                m_documentName.trimmed().isEmpty() ? ApplicationTitle() : m_documentName.trimmed();
            m_firstPath = Dialogs::Current().SaveFileName(QStringLiteral("Print to PDF File"),
                                                          QDir::home().filePath(name + ".pdf"),
                                                          QStringLiteral("PDF Files (*.pdf)"));
        }
        if (m_firstPath.isEmpty() || RefuseCurrentListPath(m_firstPath)) {
            m_cancelled = true;
            return QString();
        }
        m_documents = 1;
    }
    return NumberedPath(m_firstPath, m_documents);
}

QPaintDevice* PdfFileDevice::OpenDocument() {
    CloseDocument(false);
    const QString path = NextPath();
    if (path.isEmpty())
        return nullptr;
    m_file = std::make_unique<QSaveFile>(path);
    if (!m_file->open(QIODevice::WriteOnly)) {
        Fail(path);
        return nullptr;
    }
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    m_writer->setCreator(ApplicationTitle());
    m_writer->setTitle(QFileInfo(path).completeBaseName());
    // The margins are the part of the sheet outside the printable area; the painter's origin
    // is the top left of what is inside them.
    const double inset = kPrintableInset / kTwipsPerPoint;
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                        QMarginsF(inset, inset, inset, inset)));
    return m_writer.get();
}

void PdfFileDevice::CloseDocument(bool keep) {
    if (!m_file)
        return;
    m_writer.reset();
    const QString path = m_file->fileName();
    if (!keep) {
        m_file->cancelWriting();
        m_file.reset();
        return;
    }
    if (m_file->commit())
        m_written << path;
    else
        Fail(path);
    m_file.reset();
}

void PdfFileDevice::Fail(const QString& path) {
    QString reason = QStringLiteral("Couldn't create the file. Reason unknown.");
    if (m_file && m_file->error() == QFileDevice::ResourceError)
        reason = QStringLiteral("Not enough space on the destination disk");
    else if (m_file && (m_file->error() == QFileDevice::PermissionsError || !Writable(path)))
        reason = QStringLiteral("File is locked or write protected");
    m_writer.reset();
    if (m_file)
        m_file->cancelWriting();
    m_file.reset();
    m_cancelled = true;
    InfoBox(reason + "\n" + QDir::toNativeSeparators(path));
}
