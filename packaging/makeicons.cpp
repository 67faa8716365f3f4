// Draws the program's icon for the desktop's icon theme at every size it asks for. The program
// carries the icon only at 32 and 64 px; this is the same drawing in vectors, so the large sizes
// of a software centre stay sharp. Writes <folder>/<size>x<size>/apps/<name>.png.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

// The drawing's coordinates are those of the 64 px icon.
constexpr double drawnSize = 64.0;

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / drawnSize, size / drawnSize);

    QLinearGradient background(0, 3, 0, 61);
    background.setColorAt(0, QColor(0x2b, 0x67, 0x9c));
    background.setColorAt(1, QColor(0x20, 0x4e, 0x7a));
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(3, 3, 58, 58), 10, 10);

    // The two-phase dome
    QPainterPath dome(QPointF(11.8, 50.8));
    dome.cubicTo(13.8, 34, 17, 20.5, 27, 20.5);
    dome.cubicTo(36.5, 20.5, 45.5, 35, 51.8, 50.8);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 4.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(dome);

    // and the critical isotherm through its top, with the critical point.
    const QColor orange(0xe0, 0x7b, 0x24);
    QPainterPath isotherm(QPointF(9, 12.5));
    isotherm.cubicTo(13, 17.5, 17, 24.5, 25, 24.5);
    isotherm.cubicTo(34, 24.5, 44, 33, 54.5, 40.5);
    painter.setPen(QPen(orange, 4.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(isotherm);
    painter.setPen(Qt::NoPen);
    painter.setBrush(orange);
    painter.drawEllipse(QPointF(31.5, 25.5), 4.3, 4.3);
    painter.end();
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: makeicons <folder> <name> <size>...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        int size = 0;
        const char* end = argv[i] + std::strlen(argv[i]);
        if (const auto [last, error] = std::from_chars(argv[i], end, size); error != std::errc() || last != end
                                                                             || size <= 0) {
            std::fprintf(stderr, "makeicons: %s is not a size in pixels\n", argv[i]);
            return 2;
        }
        const QString sized = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = sized + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(sized) || !drawIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "makeicons: %s could not be written\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
