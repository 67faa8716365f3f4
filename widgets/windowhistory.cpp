#include "widgets/windowhistory.h"

#include "widgets/windowregistry.h"

#include <QApplication>
#include <QEvent>
#include <QList>
#include <QMdiArea>
#include <QPointer>
#include <QWidget>

namespace calvex::widgets {
namespace {

// Enough to find a shown window behind the boxes of a long message and prompt chain.
constexpr qsizetype windowsKept = 16;

bool isProgramWindow(const QWidget* window)
{
    const Qt::WindowType type = window->windowType();
    return window->isWindow() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop;
}

// True for the frame and for a window whose parents lead to it; for any window while there is no frame.
bool belongsToFrame(const QWidget* window, const QWidget* frame)
{
    if (!frame)
        return true;
    for (const QWidget* w = window; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (w == frame)
            return true;
    return false;
}

class WindowHistory : public QObject {
public:
    static WindowHistory*& instance()
    {
        static WindowHistory* history = nullptr;
        return history;
    }

    explicit WindowHistory(QObject* parent) : QObject(parent) { instance() = this; }
    ~WindowHistory() override { instance() = nullptr; }

    const QList<QPointer<QWidget>>& windows() const { return m_windows; }

protected:
    // A click counts as well as an activation: the click that brings the program back reaches
    // its window before the compositor says that the window is active. So does a close from the
    // title bar, which need not activate the window first.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::FocusIn && type != QEvent::WindowActivate && type != QEvent::MouseButtonPress
            && type != QEvent::Close)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        noteWindow(widget->window());
        return false;
    }

private:
    void noteWindow(QWidget* window)
    {
        if (!isProgramWindow(window))
            return;
        if (!m_windows.isEmpty() && m_windows.constLast() == window)
            return;
        m_windows.removeIf([window](const QPointer<QWidget>& kept) { return kept.isNull() || kept == window; });
        m_windows.append(window);
        if (m_windows.size() > windowsKept)
            m_windows.removeFirst();
    }

    QList<QPointer<QWidget>> m_windows;
};

// Started with the application, so that the program and every window test remember from their
// first window on.
void startWindowHistory()
{
    auto* history = new WindowHistory(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(history);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startWindowHistory)

QWidget* dialogParent(QWidget* asking, const QWidget* dialog)
{
    if (asking)
        return asking;
    QMdiArea* area = WindowRegistry::instance().mdiArea();
    const QWidget* frame = area ? area->window() : nullptr;
    // A box over a window without a parent of its own would go behind the frame with that window
    // at the first click on the frame, and leave the frame blocked by a box nobody sees.
    const auto passesOver = [dialog, frame](const QWidget* window) {
        return !window->isVisible() || window == dialog || (dialog && dialog->isAncestorOf(window))
            || !belongsToFrame(window, frame);
    };
    if (const WindowHistory* history = WindowHistory::instance()) {
        const QList<QPointer<QWidget>>& windows = history->windows();
        for (auto window = windows.crbegin(); window != windows.crend(); ++window)
            if (*window && !passesOver(*window))
                return *window;
    }
    if (area)
        return area->window();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (isProgramWindow(window) && !passesOver(window))
            return window;
    return nullptr;
}

void adoptDialog(QWidget& dialog)
{
    if (dialog.isVisible())
        return;
    const QWidget* parent = dialog.parentWidget();
    if (parent && parent->window()->isVisible())
        return;
    QWidget* chosen = dialogParent(nullptr, &dialog);
    if (chosen && chosen != parent)
        dialog.setParent(chosen, dialog.windowFlags());
}

QWidget* lastActiveWindow()
{
    const WindowHistory* history = WindowHistory::instance();
    if (!history)
        return nullptr;
    for (auto window = history->windows().crbegin(); window != history->windows().crend(); ++window)
        if (*window)
            return *window;
    return nullptr;
}

} // namespace calvex::widgets
