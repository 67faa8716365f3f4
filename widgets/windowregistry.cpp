#include "widgets/windowregistry.h"

#include "services/ui.h"
#include "widgets/windowhistory.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace calvex::widgets {

WindowRegistry& WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

void WindowRegistry::registerWindow(const QString& name, Factory factory, Placement placement)
{
    m_entries[name] = Entry{std::move(factory), placement};
}

bool WindowRegistry::isAvailable(const QString& name) const
{
    const auto it = m_entries.find(name);
    return it != m_entries.end() && it->second.factory;
}

void WindowRegistry::declareWindow(const QString& name, Placement placement)
{
    m_entries.try_emplace(name, Entry{Factory{}, placement});
}

bool WindowRegistry::isKnown(const QString& name) const { return m_entries.find(name) != m_entries.end(); }

QStringList WindowRegistry::knownWindows() const
{
    QStringList names;
    for (const auto& entry : m_entries)
        names.append(entry.first);
    return names;
}

void WindowRegistry::setMdiArea(QMdiArea* area) { m_mdiArea = area; }

QMdiArea* WindowRegistry::mdiArea() const { return m_mdiArea.data(); }

void WindowRegistry::noteLoaded(QWidget* window)
{
    if (!window || m_loaded.contains(window))
        return;
    m_loaded.append(window);
    connect(window, &QObject::destroyed, this,
            [this, window] { m_loaded.removeIf([window](const QPointer<QWidget>& p) { return p.isNull() || p == window; }); });
}

QWidget* WindowRegistry::find(const QString& name) const
{
    for (const auto& window : m_loaded)
        if (window && window->objectName() == name)
            return window;
    return nullptr;
}

QWidget* WindowRegistry::load(const QString& name)
{
    if (QWidget* loaded = find(name))
        return loaded;
    const auto it = m_entries.find(name);
    if (it == m_entries.end() || !it->second.factory)
        return nullptr;
    QWidget* window = it->second.factory();
    if (!window)
        return nullptr;
    window->setObjectName(name);
    // In the list before it is placed, so windows it loads itself come after it.
    noteLoaded(window);
    switch (it->second.placement) {
    case Placement::MdiChild:
        if (m_mdiArea) {
            QMdiSubWindow* frame = m_mdiArea->addSubWindow(window);
            frame->installEventFilter(this);
            keepCloseOffMenuKeys(frame);
        } else {
            window->installEventFilter(this);
        }
        break;
    case Placement::TopLevel:
        belongToFrame(*window);
        window->installEventFilter(this);
        break;
    case Placement::Dialog:
        adoptDialog(*window);
        break;
    }
    if (auto* handler = dynamic_cast<LoadHandler*>(window))
        handler->Form_Load();
    return window;
}

void WindowRegistry::belongToFrame(QWidget& window) const
{
    // A parentless window goes behind the frame at the first click there, and with it a modal box
    // it opened, which then blocks a frame that seems to ignore every click.
    QWidget* frame = m_mdiArea ? m_mdiArea->window() : nullptr;
    if (frame && frame != &window)
        window.setParent(frame, window.windowFlags() | Qt::Window);
}

void WindowRegistry::keepCloseOffMenuKeys(QMdiSubWindow* frame)
{
    // A child's Close on Ctrl+W as well as Ctrl+F4 would make the frame's Ctrl+W item
    // ambiguous, and an ambiguous key chooses neither.
    if (QMenu* menu = frame->systemMenu())
        for (QAction* action : menu->actions())
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
}

QWidget* WindowRegistry::show(const QString& name)
{
    QWidget* window = load(name);
    if (!window) {
        services::ui().message(notAvailableText().toStdString());
        return nullptr;
    }
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        window->show();
        frame->show();
        frame->raise();
        if (m_mdiArea)
            m_mdiArea->setActiveSubWindow(frame);
    } else {
        window->show();
        window->raise();
        window->activateWindow();
    }
    return window;
}

void WindowRegistry::unload(QWidget* window)
{
    if (!window || !m_loaded.contains(window))
        return;
    m_loaded.removeAll(window);
    if (auto* handler = dynamic_cast<UnloadHandler*>(window))
        handler->Form_Unload();
    QWidget* outer = outerWindow(window);
    // A window of its own (the chart window, the help browser) that the user was in, or has just
    // closed, hands the focus back to the frame.
    const bool handsFocusBack = outer->isWindow() && outer == lastActiveWindow();
    outer->removeEventFilter(this);
    outer->hide();
    outer->deleteLater();
    if (handsFocusBack)
        activateFrontChild(outer);
}

void WindowRegistry::activateFrontChild(const QWidget* closed)
{
    if (!m_mdiArea || closed == m_mdiArea->window())
        return;
    const QList<QMdiSubWindow*> children = m_mdiArea->subWindowList(QMdiArea::StackingOrder);
    const auto front = std::find_if(children.crbegin(), children.crend(),
                                    [](const QMdiSubWindow* child) { return child->isVisible(); });
    if (front == children.crend())
        return;
    m_mdiArea->window()->activateWindow();
    m_mdiArea->setActiveSubWindow(*front);
}

void WindowRegistry::unload(const QString& name) { unload(find(name)); }

QWidget* WindowRegistry::outerWindow(QWidget* window)
{
    if (!window)
        return nullptr;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        return frame;
    return window;
}

QList<QWidget*> WindowRegistry::loadedWindows() const
{
    QList<QWidget*> windows;
    for (const auto& window : m_loaded)
        if (window)
            windows.append(window);
    return windows;
}

QString WindowRegistry::notAvailableText()
{
    return QStringLiteral("This calculation is not available in this version of Calvex yet.");
}

bool WindowRegistry::eventFilter(QObject* watched, QEvent* event)
{
    // A window closed by the user (its title-bar Close) is unloaded once the close has gone through.
    if (event->type() == QEvent::Close) {
        QWidget* window = qobject_cast<QWidget*>(watched);
        if (auto* frame = qobject_cast<QMdiSubWindow*>(watched))
            window = frame->widget();
        if (window)
            QTimer::singleShot(0, this, [this, target = QPointer<QWidget>(window)] { unloadIfClosed(target); });
    }
    return QObject::eventFilter(watched, event);
}

void WindowRegistry::unloadIfClosed(QPointer<QWidget> window)
{
    if (window && m_loaded.contains(window.data()) && !window->isVisible())
        unload(window.data());
}

} // namespace calvex::widgets
