#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>

// How lines are drawn: solid, or dotted (as under a heading of notes).
enum class LineStyle { Solid, Dotted };

// The printer that labels and reports draw on. Every position and length is in twips
// (1440 per inch), measured from the top left of the printable area with y growing
// downwards; font sizes are in points. Only the implementations convert to device units.
//
// Text is printed at the current position with the top of the text at the current y.
// Printing without ending the line moves the current x past the text; ending the line
// moves the current y one line (the line height of the current font) down and sets the
// current x to 0. A line break inside the text ends the line there.
//
// A document starts at the first output (text, line or rectangle). NewPage asks for a new
// page; the page is begun when the next output comes, so ending the document right after
// NewPage leaves no empty page. EndDoc hands the document to the device, KillDoc throws it
// away. Both, and NewPage, put the current position back at (0, 0).
//
// A print run (one label run, one report, one test page) may make several documents;
// BeginRun marks its start so that a device can ask its questions (the "PDF file" printer:
// the file name) once per run rather than once per document.
class PrinterObject {
public:
    virtual ~PrinterObject();

    // The device name under which the printer is listed.
    virtual QString DeviceName() const = 0;
    // The names of the fonts this printer can print with, in the platform's order.
    virtual QStringList Fonts() const = 0;
    // The printable area.
    virtual double PageWidth() const = 0;
    virtual double PageHeight() const = 0;
    // The whole sheet, in the same twips from the top left of the printable area: its
    // corner lies at (0, 0) or above and to the left of it. By default the sheet is the
    // printable area.
    virtual QRectF PaperRect() const;

    QString FontName() const { return m_fontName; }
    void SetFontName(const QString& name);
    double FontSize() const { return m_fontSize; }
    void SetFontSize(double points);
    bool FontBold() const { return m_bold; }
    void SetFontBold(bool on);
    bool FontItalic() const { return m_italic; }
    void SetFontItalic(bool on);
    bool FontUnderline() const { return m_underline; }
    void SetFontUnderline(bool on);
    bool FontStrikethru() const { return m_strikethru; }
    void SetFontStrikethru(bool on);

    double CurrentX() const { return m_x; }
    void SetCurrentX(double x) { m_x = x; }
    double CurrentY() const { return m_y; }
    void SetCurrentY(double y) { m_y = y; }

    // Line width in printer dots of 1/300 inch (4.8 twips); at least 1.
    int DrawWidth() const { return m_drawWidth; }
    void SetDrawWidth(int dots);
    LineStyle DrawStyle() const { return m_drawStyle; }
    void SetDrawStyle(LineStyle style) { m_drawStyle = style; }

    // Prints the text at the current position; see above for how the position moves.
    void Print(const QString& text, bool endLine = true);
    // Width of the text's widest line and height of all its lines, at the current font.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    // A straight line at the current line width and style.
    void Line(double x1, double y1, double x2, double y2, const QColor& color = Qt::black);
    // A filled rectangle without outline.
    void FillRect(double x, double y, double width, double height, const QColor& color = Qt::black);

    void NewPage();
    void EndDoc();
    void KillDoc();

    // True between the first output of a document and its end.
    bool DocumentOpen() const { return m_documentOpen; }
    // The page being printed, counted from 1 in each document; 0 before the first output.
    int Page() const { return m_page; }

    // Marks the start of a print run; documentName suggests a name for what is printed
    // ("labels", "report").
    void BeginRun(const QString& documentName);
    // True when the user declined the run at the device (cancelled its file dialog); what
    // the run prints is then dropped, and callers may stop early.
    virtual bool RunCancelled() const { return false; }
    // True for a printer that shows its pages on screen only (a preview): nothing it prints
    // reaches paper, so runs on it use nothing up.
    virtual bool ForScreen() const { return false; }

protected:
    PrinterObject(const QString& fontName, double fontSize);

    // The device side. Widths and heights are for one line of text at the current font.
    virtual double MeasureWidth(const QString& line) const = 0;
    virtual double LineHeight() const = 0;
    // Opens a document on the device; false when it cannot be opened (the user has been
    // told, or has cancelled), in which case the document's output is dropped.
    virtual bool StartDocument() = 0;
    virtual void StartPage() = 0;
    virtual void DrawText(double x, double y, const QString& line) = 0;
    virtual void DrawLine(double x1, double y1, double x2, double y2, const QColor& color) = 0;
    virtual void DrawRect(const QRectF& rect, const QColor& color) = 0;
    // Ends the open document: hands it over when keep is set, else discards it.
    virtual void FinishDocument(bool keep) = 0;
    virtual void StartRun(const QString& documentName) = 0;
    // Called after any font property has changed.
    virtual void FontChanged() {}

private:
    // Makes sure a document and its page are open; false when output is to be dropped.
    bool PrepareOutput();
    void CloseDocument(bool keep);

    QString m_fontName;
    double m_fontSize;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethru = false;
    double m_x = 0;
    double m_y = 0;
    int m_drawWidth = 1;
    LineStyle m_drawStyle = LineStyle::Solid;
    bool m_documentOpen = false;
    bool m_dropping = false;
    bool m_pageBreakPending = false;
    int m_page = 0;
};

// Twips per line-width dot (1/300 inch).
constexpr double kTwipsPerDot = 4.8;
