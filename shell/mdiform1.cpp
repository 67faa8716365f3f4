#include "shell/mdiform1.h"

#include "services/ui.h"
#include "shell/clipboardactions.h"
#include "shell/desktop.h"
#include "shell/editingkeys.h"
#include "shell/errortrap.h"
#include "widgets/pictures.h"
#include "widgets/windowcommands.h"
#include "widgets/windownames.h"
#include "widgets/windowplacement.h"
#include "widgets/windowregistry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace calvex::shell {
namespace {

// The frame's client area as designed.
constexpr double clientWidthTwips = 11190;
constexpr double clientHeightTwips = 8190;

// An empty tool tip: the button shows none.
const std::initializer_list<widgets::ToolbarKey> toolbarKeys = {
    {"MainPage", "Main Page", "mainpage", "GoTo Main Page"},
    {"Save", "Save", "save", "Save"},
    {"Copy", "Copy", "copy", "copy the selected text"},
    {"Cut", "Cut", "cut", "Cut The Selected Text"},
    {"Paste", "Paste", "paste", ""},
    {"help", "help", "help", "help"},
    {"About", "About", "about", "About  Calvex"},
    {"Calc", "Calc", "calc", "Calculator"},
    {"Exit", "Exit", "exit", "Exit"},
    {"Back", "Back", "back", ""},
};

QLabel* statusPanel(QStatusBar* bar, const QString& text, int stretch)
{
    auto* panel = new QLabel(text, bar);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(panel, stretch);
    return panel;
}

} // namespace

MDIForm1::MDIForm1()
{
    setWindowTitle(widgets::frameCaption);
    setWindowIcon(widgets::pictureIcon(QStringLiteral("calvex")));

    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("MDIClient"));
    m_area->viewport()->setCursor(QCursor(widgets::picture(QStringLiteral("pointer")), 3, 2));
    // Closing a child activates the one that was in front of the rest, not the first loaded.
    m_area->setActivationOrder(QMdiArea::StackingOrder);
    // A child larger than the frame's client area stays reachable.
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    widgets::WindowRegistry::instance().setMdiArea(m_area);

    buildFrameMenu(menuBar(), [this](const FrameMenuItem& item) { chooseMenuItem(item); });
    buildToolbar();
    buildStatusBar();
    qApp->installEventFilter(new EditingKeys(this));

    const QSize client = widgets::sizeFromTwips(*this, clientWidthTwips, clientHeightTwips);
    // The frame does not keep its status bar's panels from being squeezed: at a large desktop
    // font it is made as wide as they need, the date and time written since they were added
    // counted once the status bar's layout is brought up to date.
    StatusBar3->layout()->activate();
    resize(std::max(client.width(), StatusBar3->sizeHint().width()),
           client.height() + menuBar()->sizeHint().height() + Toolbar->sizeHint().height()
               + StatusBar3->sizeHint().height());
    DisableCloseButton(this);
}

void MDIForm1::buildToolbar()
{
    Toolbar = addToolBar(QStringLiteral("Toolbar"));
    widgets::fillToolbar(Toolbar, toolbarKeys, widgets::ToolbarFocus::OutOfTabChain,
                          [this](const QString& key) { Toolbar_ButtonClick(key); });
    setContextMenuPolicy(Qt::NoContextMenu);
    for (const widgets::ToolbarKey& button : toolbarKeys)
        if (!*button.toolTip)
            Toolbar->widgetForAction(Toolbar->findChild<QAction*>(QString::fromLatin1(button.key)))
                ->installEventFilter(this);
}

void MDIForm1::buildStatusBar()
{
    StatusBar3 = statusBar();
    StatusBar3->setObjectName(QStringLiteral("StatusBar3"));
    StatusBar3->setSizeGripEnabled(false);
    QLabel* title = statusPanel(StatusBar3, widgets::frameCaption, 0);
    title->setToolTip(widgets::frameCaption);
    statusPanel(StatusBar3, QStringLiteral("Thermodynamics companion software"), 2);
    statusPanel(StatusBar3, QString(), 1);
    statusPanel(StatusBar3, QString(), 1);
    statusPanel(StatusBar3, QStringLiteral("The Calvex developers"), 2);
    QLabel* date = statusPanel(StatusBar3, QString(), 0);
    QLabel* time = statusPanel(StatusBar3, QString(), 0);
    auto* clock = new QTimer(StatusBar3);
    const auto tick = [date, time] {
        const QLocale locale;
        date->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
        time->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    };
    connect(clock, &QTimer::timeout, StatusBar3, tick);
    tick();
    clock->start(1000);
}

void MDIForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        MDIForm_Load();
    }
}

void MDIForm1::MDIForm_Load()
{
    runTrapped([this] {
        widgets::placeOnScreen(*this);
        widgets::WindowRegistry::instance().show(widgets::launcherWindow);
    });
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    // The program is left through Exit only.
    event->ignore();
}

bool MDIForm1::eventFilter(QObject* watched, QEvent* event)
{
    // Paste and Back have no tool tip.
    if (event->type() == QEvent::ToolTip)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MDIForm1::chooseMenuItem(const FrameMenuItem& item)
{
    switch (item.action) {
    case FrameAction::Submenu:
        break;
    case FrameAction::Calculator:
        openCalculator(item.choice);
        break;
    case FrameAction::DesktopCalculator:
        startDesktopCalculator();
        break;
    case FrameAction::About:
        showModally(widgets::aboutWindow);
        break;
    case FrameAction::Help:
        runTrapped([] { widgets::WindowRegistry::instance().show(widgets::helpWindow); });
        break;
    case FrameAction::Exit:
        endProgram();
        break;
    }
}

void MDIForm1::Toolbar_ButtonClick(const QString& key)
{
    runTrapped([this, &key] {
        if (key == QLatin1String("MainPage"))
            ShowMainPage();
        else if (key == QLatin1String("Save"))
            services::ui().message("This Application cannnot be saved ");
        else if (key == QLatin1String("Cut"))
            cutFromControl(focusedControl());
        else if (key == QLatin1String("Copy"))
            copyFromControl(focusedControl());
        else if (key == QLatin1String("Paste"))
            pasteIntoControl(focusedControl());
        else if (key == QLatin1String("About"))
            showModally(widgets::aboutWindow);
        else if (key == QLatin1String("Calc"))
            startDesktopCalculator();
        else if (key == QLatin1String("Back"))
            hideLoadedWindowAt(3);
        else if (key == QLatin1String("help"))
            widgets::WindowRegistry::instance().show(widgets::helpWindow);
        else if (key == QLatin1String("Exit"))
            askToEnd();
    });
}

void MDIForm1::askToEnd()
{
    if (services::ui().yesNo("Want To End Calvex"))
        endProgram();
}

} // namespace calvex::shell
