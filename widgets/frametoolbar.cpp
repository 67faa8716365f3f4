#include "widgets/frametoolbar.h"

#include "widgets/windowregistry.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>

namespace calvex::widgets {
namespace {

// Child windows and the windows the frame is parent of may have a toolbar of the same name (the
// viewer and the chart window do).
bool insideChildWindow(const QWidget* widget, const QWidget* frame)
{
    if (widget->window() != frame)
        return true;
    for (const QWidget* w = widget->parentWidget(); w && w != frame; w = w->parentWidget())
        if (qobject_cast<const QMdiSubWindow*>(w) || qobject_cast<const QMdiArea*>(w))
            return true;
    return false;
}

} // namespace

void setFrameToolbarVisible(bool visible)
{
    QWidget* frame = WindowRegistry::instance().find(QStringLiteral("MDIForm1"));
    if (!frame)
        return;
    for (QToolBar* toolbar : frame->findChildren<QToolBar*>(QStringLiteral("Toolbar"))) {
        if (!insideChildWindow(toolbar, frame)) {
            toolbar->setVisible(visible);
            return;
        }
    }
}

} // namespace calvex::widgets
