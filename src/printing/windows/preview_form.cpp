#include "printing/windows/preview_form.h"

#include "app/messages.h"
#include "app/windows/help_window.h"
#include "printing/preview_pages.h"
#include "printing/printer_object.h"
#include "printing/printers.h"
#include "printing/windows/preview_page_view.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
// The zoom choices: a fit, or a fixed zoom (the sheet's real size is 1).
constexpr double kWholePage = -1;
constexpr double kPageWidth = -2;
} // namespace

PreviewForm::PreviewForm(QWidget* parent, const QString& what, int helpTopic)
    : QDialog(parent), m_view(new PreviewPageView), m_scroll(new QScrollArea(this)),
      m_zoom(new QComboBox(this)), m_pageLabel(new QLabel(this)), m_status(new QLabel(this)) {
    AddHelpKey(this, helpTopic);
    setObjectName("PreviewForm");
    setWindowTitle(QStringLiteral("Print Preview - ") + what);
    setModal(true);
    m_scroll->setObjectName("PageArea");
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_pageLabel->setObjectName("PageLabel");
    m_status->setObjectName("StatusLabel");
    m_status->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeToolbar());
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_status);
    resize(900, 960);
}

PreviewForm::~PreviewForm() = default;

QToolBar* PreviewForm::MakeToolbar() {
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName("PreviewToolbar");
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* print = toolbar->addAction(QIcon(":/icons/document-print.svg"), "&Print");
    print->setObjectName("PrintAction");
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &PreviewForm::PrintChosen);
    toolbar->addSeparator();
    m_first = toolbar->addAction(QIcon(":/icons/go-first.svg"), "First");
    m_previous = toolbar->addAction(QIcon(":/icons/go-up.svg"), "Previous");
    m_next = toolbar->addAction(QIcon(":/icons/go-down.svg"), "Next");
    m_last = toolbar->addAction(QIcon(":/icons/go-last.svg"), "Last");
    m_first->setObjectName("FirstPageAction");
    m_previous->setObjectName("PreviousPageAction");
    m_next->setObjectName("NextPageAction");
    m_last->setObjectName("LastPageAction");
    m_previous->setShortcut(QKeySequence(Qt::Key_PageUp));
    m_next->setShortcut(QKeySequence(Qt::Key_PageDown));
    for (QAction* action : {m_first, m_previous, m_next, m_last})
        action->setToolTip(action->text() + " Page");
    connect(m_first, &QAction::triggered, this, [this] { GoTo(1); });
    connect(m_previous, &QAction::triggered, this, [this] { GoTo(CurrentPage() - 1); });
    connect(m_next, &QAction::triggered, this, [this] { GoTo(CurrentPage() + 1); });
    connect(m_last, &QAction::triggered, this, [this] { GoTo(PageCount()); });
    toolbar->addWidget(m_pageLabel);
    toolbar->addSeparator();
    m_zoom->setObjectName("ZoomBox");
    m_zoom->addItem("Whole Page", kWholePage);
    m_zoom->addItem("Page Width", kPageWidth);
    for (int percent : {50, 75, 100, 150, 200, 300})
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, &PreviewForm::ApplyZoom);
    toolbar->addWidget(new QLabel("Zoom: ", this));
    toolbar->addWidget(m_zoom);
    toolbar->addSeparator();
    QAction* close = toolbar->addAction("&Close");
    close->setObjectName("CloseAction");
    connect(close, &QAction::triggered, this, &PreviewForm::reject);
    return toolbar;
}

bool PreviewForm::Preview(const Run& run, const QList<QRectF>& outlines) {
    m_printer = PreviewPages::MakePrinter(Printers::Current(), &m_pages);
    m_pages->SetPageCompleted([this](int pages) { PagesCompleted(pages); });
    m_view->SetPages(m_pages);
    m_view->SetOutlines(outlines);
    m_outlined = !outlines.isEmpty();
    m_running = true;
    UpdateFigures();
    show();
    ApplyZoom();
    run(*m_printer, *this);
    m_running = false;
    UpdateFigures();
    // A run that printed nothing has told why; there is nothing to look at.
    if (PageCount() == 0)
        hide();
    else if (!m_closing)
        exec();
    return m_printChosen;
}

int PreviewForm::PageCount() const {
    return m_pages ? m_pages->CompletedPages() : 0;
}

int PreviewForm::CurrentPage() const {
    return m_view->Page() + 1;
}

QString PreviewForm::StatusText() const {
    return m_status->text();
}

void PreviewForm::Yield() {
    QCoreApplication::processEvents();
}

void PreviewForm::Notify(const QString& text) {
    m_notice = text;
    UpdateFigures();
}

void PreviewForm::reject() {
    m_closing = true;
    QDialog::reject();
}

void PreviewForm::PrintChosen() {
    m_printChosen = true;
    reject();
}

void PreviewForm::GoTo(int page) {
    if (page < 1 || page > PageCount())
        return;
    m_view->ShowPage(page - 1);
    m_scroll->ensureVisible(0, 0);
    UpdateFigures();
}

void PreviewForm::PagesCompleted(int pages) {
    if (pages > 0 && CurrentPage() == 0)
        GoTo(1);
    else if (CurrentPage() > pages) // a discarded document took the page shown
        m_view->ShowPage(pages - 1);
    UpdateFigures();
}

void PreviewForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ApplyZoom(); // a fit follows the window's size
}

void PreviewForm::ApplyZoom() {
    const double choice = m_zoom->currentData().toDouble();
    const QSize room = m_scroll->viewport()->size();
    m_view->SetZoom(choice > 0 ? choice : m_view->ZoomToFit(room, choice == kPageWidth));
}

void PreviewForm::UpdateFigures() {
    const int pages = PageCount();
    QString count = QStringLiteral("Page %1 of %2").arg(CurrentPage()).arg(pages);
    if (m_running)
        count += QStringLiteral(" so far");
    m_pageLabel->setText(QStringLiteral("  ") + count + QStringLiteral("  "));
    m_first->setEnabled(CurrentPage() > 1);
    m_previous->setEnabled(CurrentPage() > 1);
    m_next->setEnabled(CurrentPage() < pages);
    m_last->setEnabled(CurrentPage() < pages);
    QString status;
    if (m_running)
        status = QStringLiteral("Making the pages...");
    else if (m_outlined)
        status = QStringLiteral("The faint outlines of the labels are shown on screen only.");
    if (!m_notice.isEmpty())
        status += (status.isEmpty() ? QString() : QStringLiteral("\n")) + m_notice;
    m_status->setText(status);
}
