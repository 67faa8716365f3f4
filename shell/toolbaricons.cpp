#include "shell/toolbaricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace calvex::shell {
namespace {

constexpr int pictureSize = 64;
const QColor ink(0x1f, 0x4e, 0x79);
const QColor fill(0xdc, 0xe9, 0xf5);

void drawArrow(QPainter& painter, bool pointsLeft)
{
    QPolygonF arrow{{8, 32}, {30, 10}, {30, 22}, {56, 22}, {56, 42}, {30, 42}, {30, 54}};
    if (!pointsLeft)
        for (QPointF& point : arrow)
            point.setX(pictureSize - point.x());
    painter.drawPolygon(arrow);
}

void drawHouse(QPainter& painter)
{
    painter.drawPolygon(QPolygonF{{32, 8}, {58, 30}, {50, 30}, {50, 56}, {14, 56}, {14, 30}, {6, 30}});
    painter.setBrush(ink);
    painter.drawRect(QRectF(27, 38, 10, 18));
}

void drawGlobe(QPainter& painter)
{
    painter.drawEllipse(QRectF(8, 8, 48, 48));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(22, 8, 20, 48));
    painter.drawLine(QPointF(8, 32), QPointF(56, 32));
    painter.drawLine(QPointF(12, 20), QPointF(52, 20));
    painter.drawLine(QPointF(12, 44), QPointF(52, 44));
}

void drawEnvelope(QPainter& painter)
{
    painter.drawRect(QRectF(6, 14, 52, 36));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF{{6, 14}, {32, 36}, {58, 14}});
}

} // namespace

QIcon helpToolbarIcon(const QString& key)
{
    QPixmap picture(pictureSize, pictureSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    if (key == QLatin1String("Back"))
        drawArrow(painter, true);
    else if (key == QLatin1String("Next"))
        drawArrow(painter, false);
    else if (key == QLatin1String("Home"))
        drawHouse(painter);
    else if (key == QLatin1String("links"))
        drawGlobe(painter);
    else if (key == QLatin1String("Email"))
        drawEnvelope(painter);
    else
        return {};
    painter.end();
    return QIcon(picture);
}

} // namespace calvex::shell
