#include "app/windows/help_window.h"

#include "app/messages.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QPointer<HelpWindow> g_shown;

QToolButton* Button(const QString& name, const QString& text, QStyle::StandardPixmap icon,
                    QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}
} // namespace

HelpWindow::HelpWindow(const QUrl& home, QWidget* parent)
    : QDialog(parent), m_home(home), m_browser(new QTextBrowser(this)),
      m_backButton(Button("BackButton", "&Back", QStyle::SP_ArrowBack, this)),
      m_forwardButton(Button("ForwardButton", "&Forward", QStyle::SP_ArrowForward, this)),
      m_homeButton(Button("HomeButton", "&Home", QStyle::SP_DirHomeIcon, this)) {
    setObjectName("HelpWindow");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_browser->setObjectName("HelpBrowser");
    // Pages of the guide open here; other sites in the desktop's browser.
    m_browser->setOpenExternalLinks(true);
    m_backButton->setEnabled(false);
    m_forwardButton->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_backButton);
    buttons->addWidget(m_forwardButton);
    buttons->addWidget(m_homeButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);
    resize(760, 600);

    connect(m_backButton, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forwardButton, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_homeButton, &QToolButton::clicked, this, [this] { Open(m_home); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_backButton, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forwardButton, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::UpdateTitle);
}

HelpWindow::~HelpWindow() = default;

HelpWindow* HelpWindow::ShowPage(const QUrl& page) {
    // Over the modal window the help was asked from, so that it can be used beside it.
    QWidget* over = QApplication::activeModalWidget();
    if (!over)
        over = QApplication::activeWindow();
    if (g_shown && g_shown->parentWidget() != over)
        delete g_shown.data();
    if (!g_shown) {
        QUrl home = page.adjusted(QUrl::RemoveFragment | QUrl::RemoveFilename);
        home.setPath(home.path() + QStringLiteral("index.html"));
        g_shown = new HelpWindow(home, over);
        g_shown->setAttribute(Qt::WA_DeleteOnClose);
    }
    g_shown->Open(page);
    g_shown->show();
    g_shown->raise();
    g_shown->activateWindow();
    return g_shown;
}

QUrl HelpWindow::Source() const {
    return m_browser->source();
}

void HelpWindow::Open(const QUrl& page) {
    m_browser->setSource(page);
}

void HelpWindow::UpdateTitle() {
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Lettrino Help")
                                   : QStringLiteral("Lettrino Help: ") + title);
}

void AddHelpKey(QWidget* window, int topic) {
    auto* key = new QShortcut(QKeySequence::HelpContents, window);
    key->setObjectName("HelpKey");
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, [topic] { ShowHelpTopic(topic); });
}
