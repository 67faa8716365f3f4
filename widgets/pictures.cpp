#include "widgets/pictures.h"

#include <QFile>

// The resources live in a static library, so they are registered by hand before first use.
static void registerPictures() { Q_INIT_RESOURCE(images); }

namespace calvex::widgets {
namespace {

QString picturePath(const QString& name)
{
    static const bool registered = (registerPictures(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/images/%1.png").arg(name);
}

} // namespace

QPixmap picture(const QString& name) { return QPixmap(picturePath(name)); }

QIcon pictureIcon(const QString& name)
{
    QIcon icon;
    const QString path = picturePath(name);
    icon.addFile(path);
    const QString large = QStringLiteral(":/images/%1@2x.png").arg(name);
    if (QFile::exists(large))
        icon.addFile(large);
    return icon;
}

} // namespace calvex::widgets
