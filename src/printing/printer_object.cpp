#include "printing/printer_object.h"

#include <QRectF>
#include <QRegularExpression>
#include <algorithm>

namespace {
// Lines of a text: a line ends at CR LF, at a lone CR and at a lone LF.
QStringList SplitLines(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineBreak);
}
} // namespace

PrinterObject::PrinterObject(const QString& fontName, double fontSize)
    : m_fontName(fontName), m_fontSize(fontSize) {}

PrinterObject::~PrinterObject() = default;

QRectF PrinterObject::PaperRect() const {
    return QRectF(0, 0, PageWidth(), PageHeight());
}

void PrinterObject::SetFontName(const QString& name) {
    if (name == m_fontName)
        return;
    m_fontName = name;
    FontChanged();
}

void PrinterObject::SetFontSize(double points) {
    if (!(points > 0) || points == m_fontSize)
        return;
    m_fontSize = points;
    FontChanged();
}

void PrinterObject::SetFontBold(bool on) {
    m_bold = on;
    FontChanged();
}

void PrinterObject::SetFontItalic(bool on) {
    m_italic = on;
    FontChanged();
}

void PrinterObject::SetFontUnderline(bool on) {
    m_underline = on;
    FontChanged();
}

void PrinterObject::SetFontStrikethru(bool on) {
    m_strikethru = on;
    FontChanged();
}

void PrinterObject::SetDrawWidth(int dots) {
    m_drawWidth = std::max(1, dots);
}

void PrinterObject::Print(const QString& text, bool endLine) {
    const QStringList lines = SplitLines(text);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (!line.isEmpty()) {
            if (PrepareOutput())
                DrawText(m_x, m_y, line);
            m_x += MeasureWidth(line);
        }
        if (i + 1 < lines.size() || endLine) {
            m_y += LineHeight();
            m_x = 0;
        }
    }
}

double PrinterObject::TextWidth(const QString& text) const {
    double widest = 0;
    for (const QString& line : SplitLines(text))
        widest = std::max(widest, MeasureWidth(line));
    return widest;
}

double PrinterObject::TextHeight(const QString& text) const {
    return LineHeight() * SplitLines(text).size();
}

void PrinterObject::Line(double x1, double y1, double x2, double y2, const QColor& color) {
    if (PrepareOutput())
        DrawLine(x1, y1, x2, y2, color);
}

void PrinterObject::FillRect(double x, double y, double width, double height, const QColor& color) {
    if (PrepareOutput())
        DrawRect(QRectF(x, y, width, height), color);
}

void PrinterObject::NewPage() {
    if (m_documentOpen)
        m_pageBreakPending = true;
    m_x = 0;
    m_y = 0;
}

void PrinterObject::EndDoc() {
    CloseDocument(true);
}

void PrinterObject::KillDoc() {
    CloseDocument(false);
}

void PrinterObject::BeginRun(const QString& documentName) {
    StartRun(documentName);
}

bool PrinterObject::PrepareOutput() {
    if (!m_documentOpen) {
        m_documentOpen = true;
        m_dropping = !StartDocument();
        m_page = 1;
        m_pageBreakPending = false;
        return !m_dropping;
    }
    if (m_pageBreakPending) {
        m_pageBreakPending = false;
        ++m_page;
        if (!m_dropping)
            StartPage();
    }
    return !m_dropping;
}

void PrinterObject::CloseDocument(bool keep) {
    if (m_documentOpen && !m_dropping)
        FinishDocument(keep);
    m_documentOpen = false;
    m_dropping = false;
    m_pageBreakPending = false;
    m_page = 0;
    m_x = 0;
    m_y = 0;
}
