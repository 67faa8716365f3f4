#pragma once
// The program's pictures (icon, pointer, toolbar images, start-window pictures), built into
// the program as resources.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace calvex::shell {

// The picture `name` (file name without ".png"); a null pixmap when there is none.
QPixmap picture(const QString& name);
QIcon pictureIcon(const QString& name);

} // namespace calvex::shell
