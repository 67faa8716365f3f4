#include "services/windowcommands.h"

#include "services/pictures.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace calvex::services {
namespace {

} // namespace

void fillToolbar(QToolBar* toolbar, std::initializer_list<ToolbarKey> keys,
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

} // namespace calvex::services
