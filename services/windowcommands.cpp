#include "services/windowcommands.h"

#include "shell/pictures.h"

#include <QAction>
#include <QPainter>
#include <QPixmap>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace calvex::services {
namespace {

// Drawn in the colours of the program's toolbar pictures: dark ink, pale fill, orange accent.
const QColor ink(0x24, 0x41, 0x5e);
const QColor paleFill(0xdc, 0xe8, 0xf4);
const QColor accent(0xe0, 0x7b, 0x24);
constexpr int drawnSize = 48;

QIcon drawnIcon(const QString& name)
{
    QPixmap picture(drawnSize, drawnSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen outline(ink, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(outline);
    if (name == QLatin1String("plot")) {
        painter.setBrush(paleFill);
        painter.drawRoundedRect(QRectF(5, 5, 38, 38), 4, 4);
        painter.drawPolyline(QPolygonF{{12, 11}, {12, 36}, {38, 36}});
        painter.setPen(QPen(accent, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF{{16, 31}, {23, 22}, {29, 26}, {37, 13}});
    } else if (name == QLatin1String("clear")) {
        painter.setBrush(paleFill);
        painter.drawPolygon(QPolygonF{{9, 4}, {31, 4}, {40, 13}, {40, 44}, {9, 44}});
        painter.setPen(QPen(accent, 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(17, 18), QPointF(32, 33));
        painter.drawLine(QPointF(32, 18), QPointF(17, 33));
    }
    return QIcon(picture);
}

QIcon toolbarIcon(const char* name)
{
    const QString picture = QString::fromLatin1(name);
    return shell::picture(picture).isNull() ? drawnIcon(picture) : shell::pictureIcon(picture);
}

} // namespace

void fillToolbar(QToolBar* toolbar, std::initializer_list<ToolbarKey> keys,
                 const std::function<void(const QString&)>& clicked)
{
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(24, 24));
    toolbar->toggleViewAction()->setVisible(false);
    for (const ToolbarKey& button : keys) {
        const QString key = QString::fromLatin1(button.key);
        QAction* action = toolbar->addAction(toolbarIcon(button.picture),
                                             QString::fromLatin1(button.caption), toolbar,
                                             [clicked, key] { clicked(key); });
        action->setObjectName(key);
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
