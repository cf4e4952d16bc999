#pragma once

#include "printing/printer_object.h"

#include <vector>

// One operation that reached a recording printer.
struct PrintOperation {
    enum Kind { BeginRun, Text, Line, Rect, NewPage, EndDoc, KillDoc };

    Kind kind;
    int document = 0; // counted from 1 over the printer's life; 0 for BeginRun
    int page = 0;     // counted from 1 in each document; 0 for BeginRun
    double x = 0;     // Text: top left; Line: from (x, y) to (x2, y2); Rect: corners
    double y = 0;
    double x2 = 0;
    double y2 = 0;
    QString text; // Text: the line printed; BeginRun: the document name
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;
    int lineWidth = 1;
    LineStyle lineStyle = LineStyle::Solid;
    QColor color;
};

// A printer that draws nothing and records every operation with its position, font and page,
// for tests. Its text metrics are fixed and do not depend on the font name or style:
//   - every character is FontSize() x 10 twips wide (half an em; 100 twips at 10 points),
//     except "W", which is one and a half times as wide;
//   - one line is FontSize() x 24 twips high (240 twips at 10 points);
//   - the page (printable area) is 12240 x 15840 twips (US Letter) unless given otherwise.
// It starts with the font "Arial" at 10 points and lists the fonts "Arial", "Courier New"
// and "Times New Roman" unless given others.
class RecordingPrinter : public PrinterObject {
public:
    explicit RecordingPrinter(const QString& deviceName = QStringLiteral("Recorder"),
                              double pageWidth = 12240, double pageHeight = 15840);

    QString DeviceName() const override { return m_deviceName; }
    QStringList Fonts() const override { return m_fonts; }
    double PageWidth() const override { return m_pageWidth; }
    double PageHeight() const override { return m_pageHeight; }

    void SetFonts(const QStringList& fonts) { m_fonts = fonts; }
    void SetPageSize(double width, double height);

    const std::vector<PrintOperation>& Operations() const { return m_operations; }
    // The operations of one kind, in order.
    std::vector<PrintOperation> OperationsOf(PrintOperation::Kind kind) const;
    // The texts printed, in order.
    QStringList Texts() const;
    // Documents handed over and documents discarded so far.
    int EndedDocuments() const { return m_ended; }
    int KilledDocuments() const { return m_killed; }
    void Clear();

protected:
    double MeasureWidth(const QString& line) const override;
    double LineHeight() const override;
    bool StartDocument() override;
    void StartPage() override;
    void DrawText(double x, double y, const QString& line) override;
    void DrawLine(double x1, double y1, double x2, double y2, const QColor& color) override;
    void DrawRect(const QRectF& rect, const QColor& color) override;
    void FinishDocument(bool keep) override;
    void StartRun(const QString& documentName) override;

private:
    PrintOperation& Record(PrintOperation::Kind kind);

    QString m_deviceName;
    QStringList m_fonts;
    double m_pageWidth;
    double m_pageHeight;
    std::vector<PrintOperation> m_operations;
    int m_document = 0;
    int m_ended = 0;
    int m_killed = 0;
};
