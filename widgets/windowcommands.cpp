#include "widgets/windowcommands.h"

#include "widgets/pictures.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace calvex::widgets {
namespace {

// The buttons of `toolbar` from left to right, the extension button that holds those the
// toolbar has no room for last.
QList<QWidget*> toolbarButtons(const QToolBar& toolbar)
{
    QList<QWidget*> buttons;
    for (QAction* action : toolbar.actions())
        if (QWidget* button = toolbar.widgetForAction(action))
            buttons.append(button);
    if (auto* extension = toolbar.findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        buttons.append(extension);
    return buttons;
}

// Tab follows the order in which widgets were made, and a window may make its toolbar before
// its controls: each time the toolbar is shown its buttons are put back behind the last control
// that shares its parent.
class ButtonsAfterOwnControls : public QObject {
public:
    explicit ButtonsAfterOwnControls(QToolBar* toolbar) : QObject(toolbar) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            placeButtons(*static_cast<QToolBar*>(watched));
        return false;
    }

private:
    static void placeButtons(const QToolBar& toolbar)
    {
        const QWidget* owner = toolbar.parentWidget();
        QWidget* previous = nullptr;
        // setTabOrder leaves the chain as it is unless both widgets take the focus.
        for (QWidget* widget = owner->nextInFocusChain(); widget != owner; widget = widget->nextInFocusChain())
            if (owner->isAncestorOf(widget) && !toolbar.isAncestorOf(widget) && widget->focusPolicy() != Qt::NoFocus)
                previous = widget;
        for (QWidget* button : toolbarButtons(toolbar)) {
            if (previous)
                QWidget::setTabOrder(previous, button);
            previous = button;
        }
    }
};

} // namespace

void fillToolbar(QToolBar* toolbar, std::initializer_list<ToolbarKey> keys, ToolbarFocus focus,
                 const std::function<void(const QString&)>& clicked)
{
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(24, 24));
    toolbar->toggleViewAction()->setVisible(false);
    for (const ToolbarKey& button : keys) {
        const QString key = QString::fromLatin1(button.key);
        QAction* action = toolbar->addAction(pictureIcon(QString::fromLatin1(button.picture)),
                                             QString::fromLatin1(button.caption), toolbar,
                                             [clicked, key] { clicked(key); });
        action->setObjectName(key);
        if (button.toolTip)
            action->setToolTip(QString::fromLatin1(button.toolTip));
    }
    if (focus == ToolbarFocus::AfterOwnControls)
        reachWithTab(toolbar);
}

void reachWithTab(QToolBar* toolbar)
{
    // Tab focus only: a click on a button leaves the focus where it was, as before.
    for (QWidget* button : toolbarButtons(*toolbar))
        button->setFocusPolicy(Qt::TabFocus);
    toolbar->installEventFilter(new ButtonsAfterOwnControls(toolbar));
}

QMenu* addFileMenu(QMenuBar* bar, QWidget* owner, const FileMenuActions& actions)
{
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* save = file->addAction(QStringLiteral("&Save"), owner, actions.save);
    save->setObjectName(QStringLiteral("mnuFileSave"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    save->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(save);
    file->addAction(QStringLiteral("Save &As..."), owner, actions.saveAs)->setObjectName(QStringLiteral("mnuFileSaveAs"));
    file->addAction(QStringLiteral("E&xit"), owner, actions.exit)->setObjectName(QStringLiteral("mnuFileExit"));
    return file;
}

} // namespace calvex::widgets
