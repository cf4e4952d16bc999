#include "app/windows/main_form.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/settings.h"
#include "app/switch_names.h"
#include "app/value_formats.h"
#include "app/windows/center_form.h"
#include "app/windows/elided_text.h"
#include "app/windows/fill_filter_box.h"
#include "app/windows/help_window.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/damage_notes.h"
#include "database/filter_core.h"
#include "database/list_core.h"
#include "database/open_database.h"
#include "database/template_core.h"
#include "printing/windows/printer_startup.h"
#include "ui_main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace {

// The design sizes of the window's inner area, in twips.
constexpr int kNormalWidthTwips = 9420;
constexpr int kNormalHeightTwips = 6480;
constexpr int kLargeWidthTwips = 12075;
constexpr int kLargeHeightTwips = 9000;

int TwipsToPixels(int twips) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return qRound(twips * dpi / 1440.0);
}

// The settings section of the program's own switches.
const QString kSettings = QStringLiteral("Settings");

// Flips a "True"/"False" setting: anything but "False" (in any case) becomes "False".
// Returns the new value.
bool ToggleSetting(const QString& key) {
    const QString old = GetSetting(kSettings, key, QStringLiteral("False"));
    const bool on = old.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0;
    SaveSetting(kSettings, key, on ? QStringLiteral("True") : QStringLiteral("False"));
    return on;
}

} // namespace

// The program's pictures live in the windows library and are registered by the window that
// shows them. (Resource registration must stand outside any namespace.)
static void RegisterPictures() {
    Q_INIT_RESOURCE(lettrino);
}

static void LoadPictures() {
    static const bool loaded = (RegisterPictures(), true);
    Q_UNUSED(loaded);
}

MainForm::MainForm(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::MainForm>()), m_timer(new QTimer(this)) {
    AddHelpKey(this, kHelpRecords);
    LoadPictures();
    ui->setupUi(this);
    setWindowTitle(ApplicationTitle());
    m_timer->setObjectName(QStringLiteral("Timer"));
    m_timer->setInterval(200);
    SetUpRecordArea();
    ConnectCommands();
    // The window sees key presses before the control that has the focus.
    qApp->installEventFilter(this);
    // Damage the engine reports in the middle of any work is offered the repair once the
    // work is over.
    SetDamageHandler([this] {
        if (!m_repairPending) {
            m_repairPending = true;
            QTimer::singleShot(0, this, &MainForm::OfferRepairOfDamage);
        }
    });

    ReadSettings();
    SizeWindow();
    CenterForm(this);
    // When no list can be opened the window opens without one.
    OpenCurrentList();
}

MainForm::~MainForm() {
    SetDamageHandler(nullptr);
    qApp->removeEventFilter(this);
    m_timer->stop();
    CloseCurrentList();
}

QSize MainForm::NormalClientSize() {
    return {TwipsToPixels(kNormalWidthTwips), TwipsToPixels(kNormalHeightTwips)};
}

QSize MainForm::LargeClientSize() {
    return {TwipsToPixels(kLargeWidthTwips), TwipsToPixels(kLargeHeightTwips)};
}

void MainForm::ReadSettings() {
    SetInternational(GetFlagSetting(kSettings, QStringLiteral("International")));
    ui->mnuFileSetupInternational->setChecked(International());
    m_bigScreen = GetFlagSetting(kSettings, QStringLiteral("BigScreen"));
    ui->mnuFileSetupLargeScreen->setChecked(m_bigScreen);
}

void MainForm::SizeWindow() {
    // The large layout is a larger window; the layouts place the controls at any size, and
    // never below the size they need.
    if (m_bigScreen) {
        resize(LargeClientSize());
        return;
    }
    const QSize client = NormalClientSize();
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

bool MainForm::ListIsOpen() const {
    return m_control != nullptr;
}

bool MainForm::NeedsList() {
    if (ListIsOpen())
        return true;
    MustOpenList();
    return false;
}

bool MainForm::NeedsListAndIdle() {
    if (!NeedsList())
        return false;
    if (Busy()) {
        Ding();
        return false;
    }
    return true;
}

bool MainForm::ListHasRecords() const {
    // A store standing on a record has records; only without one is the set counted.
    return m_list && (!m_list->CurrentBookmark().isEmpty() || m_list->Records() > 0);
}

bool MainForm::OpenCurrentList() {
    {
        std::unique_ptr<Connection> check = OpenCurrentDatabase();
        if (!check)
            return false;
        // The record stores open connections of their own.
    }
    SetupPrinting(QStringLiteral("Tessavane"));
    // A long path is cut in its folder part, so that the file name stays in sight.
    KeepPathElided(ui->PathBox, CurrentListSetting());

    CloseCurrentList();
    m_control = std::make_unique<ControlCore>();
    m_filters = std::make_unique<FilterCore>();
    m_templates = std::make_unique<TemplateCore>();
    m_list = std::make_unique<ListCore>();
    m_list->SetBrowsing(true);

    LoadSwitchNames();
    ShowSwitchNames();
    m_loading = true;
    FillFilterBox(ui->FilterBox);
    m_loading = false;
    LoadTemplateBox();
    ShowTemplateName();
    ShowFilterInfo();
    ShowRecord();
    return true;
}

void MainForm::CloseCurrentList() {
    m_control.reset();
    m_filters.reset();
    m_templates.reset();
    m_list.reset();
}

void MainForm::ToggleInternational() {
    const bool on = ToggleSetting(QStringLiteral("International"));
    ui->mnuFileSetupInternational->setChecked(on);
    SetInternational(on);
    // Phones and zips are shown in the new style at once. A record being typed or edited
    // keeps what the user typed: redisplaying would throw it away.
    if (ListIsOpen() && !Busy())
        ShowRecord();
}

void MainForm::ToggleLargeScreen() {
    const bool on = ToggleSetting(QStringLiteral("BigScreen"));
    ui->mnuFileSetupLargeScreen->setChecked(on);
    Dialogs::Current().ShowMessage(
        QStringLiteral("You must re-start Lettrino to switch to the new screen"),
        ApplicationTitle(), MessageIcon::Warning);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        if (InThisWindow(watched) && PreviewKey(watched, event))
            return true;
        break;
    default:
        break;
    }
    if (RecordAreaEvent(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool MainForm::InThisWindow(QObject* watched) const {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget && widget->window() == this;
}

bool MainForm::IsMenuShortcut(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    const QList<QAction*> actions = findChildren<QAction*>();
    for (const QAction* action : actions) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed && action->isEnabled() &&
            action->isVisible())
            return true;
    }
    return false;
}

bool MainForm::PreviewKey(QObject*, QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        // The menu's shortcuts (Ctrl+A, Ctrl+X among them) win over the text boxes' own:
        // the box does not get to claim the key, so the menu command runs.
        if (IsMenuShortcut(key)) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    // The six keys run their command and never reach the control.
    switch (key->key()) {
    case Qt::Key_PageUp:
        UpOneRecord();
        return true;
    case Qt::Key_PageDown:
        DownOneRecord();
        return true;
    case Qt::Key_Home:
        FirstRecord();
        return true;
    case Qt::Key_End:
        LastRecord();
        return true;
    case Qt::Key_Insert:
        SaveRecord();
        return true;
    case Qt::Key_Escape:
        if (Busy())
            CancelInput();
        return true;
    default:
        return false;
    }
}

void MainForm::closeEvent(QCloseEvent* event) {
    m_timer->stop();
    CloseCurrentList();
    // Every other open window closes with this one, the most recent first.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        QWidget* window = *it;
        if (window != this && window->isVisible())
            window->close();
    }
    event->accept();
}
