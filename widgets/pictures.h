#pragma once
// The program's pictures (icon, pointer, toolbar images, start-window pictures), built into
// the program as resources: every window takes its pictures from here.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace calvex::widgets {

// The picture `name` (file name without ".png"); a null pixmap when there is none.
QPixmap picture(const QString& name);
QIcon pictureIcon(const QString& name);

} // namespace calvex::widgets
