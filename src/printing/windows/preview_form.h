#pragma once

#include "printing/label_run_host.h"

#include <QDialog>
#include <QList>
#include <QRectF>
#include <functional>
#include <memory>

class PreviewPageView;
class PreviewPages;
class PrinterObject;
class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QToolBar;

// "Print Preview": the pages of a label run or a report, made by the same run on a
// printer object that stands in for the current printer (same sheet, printable area and
// font) and keeps each page as a picture, shown page by page at a chosen zoom. The first
// page shows as soon as it is complete, while the run goes on making the others; closing
// the window ends the run at its next sheet or page. Outlines (of the labels) may be drawn
// faintly over every page: they are on screen only. "Print" closes the window and tells
// the caller to print.
//
// The window is the run's host: it never asks "Continue Printing?" and shows what the run
// tells at its end on its status line.
class PreviewForm : public QDialog, public LabelRunHost {
    Q_OBJECT
public:
    // A run that prints on the printer given, with this window as its host.
    using Run = std::function<void(PrinterObject& printer, LabelRunHost& host)>;

    // what names the pages in the title; helpTopic is the guide's page for F1.
    PreviewForm(QWidget* parent, const QString& what, int helpTopic);
    ~PreviewForm() override;

    // Shows the window and the pages of the run as they come, until the user closes the
    // window or chooses Print; true for Print.
    bool Preview(const Run& run, const QList<QRectF>& outlines = {});

    int PageCount() const;
    // The page shown, from 1; 0 for none.
    int CurrentPage() const;
    bool RunGoing() const { return m_running; }
    QString StatusText() const;

    bool StopRequested() const override { return m_closing; }
    void Yield() override;
    ContinueDecision AskContinue() override { return kPrintAll; }
    void Notify(const QString& text) override;

    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolBar* MakeToolbar();
    void GoTo(int page);
    void PagesCompleted(int pages);
    void ApplyZoom();
    void UpdateFigures();
    void PrintChosen();

    std::unique_ptr<PrinterObject> m_printer;
    PreviewPages* m_pages = nullptr;
    PreviewPageView* m_view;
    QScrollArea* m_scroll;
    QComboBox* m_zoom;
    QLabel* m_pageLabel;
    QLabel* m_status;
    QAction* m_first;
    QAction* m_previous;
    QAction* m_next;
    QAction* m_last;
    QString m_notice;
    bool m_outlined = false;
    bool m_running = false;
    bool m_closing = false;
    bool m_printChosen = false;
};
