#include "printing/recording_printer.h"

#include <QRectF>

RecordingPrinter::RecordingPrinter(const QString& deviceName, double pageWidth, double pageHeight)
    : PrinterObject(QStringLiteral("Arial"), 10), m_deviceName(deviceName),
      m_fonts({QStringLiteral("Arial"), QStringLiteral("Courier New"),
               QStringLiteral("Times New Roman")}),
      m_pageWidth(pageWidth), m_pageHeight(pageHeight) {}

void RecordingPrinter::SetPageSize(double width, double height) {
    m_pageWidth = width;
    m_pageHeight = height;
}

std::vector<PrintOperation> RecordingPrinter::OperationsOf(PrintOperation::Kind kind) const {
    std::vector<PrintOperation> found;
    for (const PrintOperation& operation : m_operations)
        if (operation.kind == kind)
            found.push_back(operation);
    return found;
}

QStringList RecordingPrinter::Texts() const {
    QStringList texts;
    for (const PrintOperation& operation : m_operations)
        if (operation.kind == PrintOperation::Text)
            texts << operation.text;
    return texts;
}

void RecordingPrinter::Clear() {
    m_operations.clear();
    m_ended = 0;
    m_killed = 0;
}

double RecordingPrinter::MeasureWidth(const QString& line) const {
    const double character = FontSize() * 10;
    double width = 0;
    for (QChar c : line)
        width += c == QLatin1Char('W') ? character * 1.5 : character;
    return width;
}

double RecordingPrinter::LineHeight() const {
    return FontSize() * 24;
}

bool RecordingPrinter::StartDocument() {
    ++m_document;
    return true;
}

void RecordingPrinter::StartPage() {
    Record(PrintOperation::NewPage);
}

void RecordingPrinter::DrawText(double x, double y, const QString& line) {
    PrintOperation& operation = Record(PrintOperation::Text);
    operation.x = x;
    operation.y = y;
    operation.text = line;
}

void RecordingPrinter::DrawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    PrintOperation& operation = Record(PrintOperation::Line);
    operation.x = x1;
    operation.y = y1;
    operation.x2 = x2;
    operation.y2 = y2;
    operation.color = color;
}

void RecordingPrinter::DrawRect(const QRectF& rect, const QColor& color) {
    PrintOperation& operation = Record(PrintOperation::Rect);
    operation.x = rect.left();
    operation.y = rect.top();
    operation.x2 = rect.right();
    operation.y2 = rect.bottom();
    operation.color = color;
}

void RecordingPrinter::FinishDocument(bool keep) {
    Record(keep ? PrintOperation::EndDoc : PrintOperation::KillDoc);
    ++(keep ? m_ended : m_killed);
}

void RecordingPrinter::StartRun(const QString& documentName) {
    PrintOperation& operation = Record(PrintOperation::BeginRun);
    operation.document = 0;
    operation.page = 0;
    operation.text = documentName;
}

PrintOperation& RecordingPrinter::Record(PrintOperation::Kind kind) {
    PrintOperation operation;
    operation.kind = kind;
    operation.document = m_document;
    operation.page = Page();
    operation.fontName = FontName();
    operation.fontSize = FontSize();
    operation.bold = FontBold();
    operation.italic = FontItalic();
    operation.underline = FontUnderline();
    operation.strikethru = FontStrikethru();
    operation.lineWidth = DrawWidth();
    operation.lineStyle = DrawStyle();
    m_operations.push_back(operation);
    return m_operations.back();
}
