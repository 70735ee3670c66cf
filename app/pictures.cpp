#include "app/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "gui/canvas.h"

namespace bidmark::pictures {

namespace {
const QColor kIce(232, 242, 250);
const QColor kIceShade(190, 212, 232);
const QColor kRed(192, 0, 0);
const QColor kBlue(0, 0, 192);

void paintIce(QPainter& painter, const QRectF& area, qreal radius)
{
    QLinearGradient ice(area.topLeft(), area.bottomRight());
    ice.setColorAt(0, kIce);
    ice.setColorAt(1, kIceShade);
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(ice);
    painter.drawRoundedRect(area, radius, radius);
}
} // namespace

QPixmap rink()
{
    QPixmap pixmap = gui::canvas(302, 153, Qt::black);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ice(6, 6, 290, 141);
    paintIce(painter, ice, 40);

    painter.setPen(QPen(kRed, 3));
    painter.drawLine(QPointF(151, 8), QPointF(151, 145));
    painter.setPen(QPen(kBlue, 4));
    painter.drawLine(QPointF(106, 8), QPointF(106, 145));
    painter.drawLine(QPointF(196, 8), QPointF(196, 145));
    painter.setPen(QPen(kRed, 1.5));
    painter.drawLine(QPointF(26, 14), QPointF(26, 139));
    painter.drawLine(QPointF(276, 14), QPointF(276, 139));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kBlue, 2));
    painter.drawEllipse(QPointF(151, 76.5), 22, 22);
    painter.setPen(QPen(kRed, 2));
    for (qreal x : {60.0, 242.0}) {
        for (qreal y : {42.0, 111.0})
            painter.drawEllipse(QPointF(x, y), 17, 17);
    }

    painter.setPen(QPen(kRed, 2));
    painter.setBrush(QColor(120, 170, 230));
    painter.drawChord(QRectF(14, 64, 24, 25), -90 * 16, 180 * 16);
    painter.drawChord(QRectF(264, 64, 24, 25), 90 * 16, 180 * 16);
    return pixmap;
}

QPixmap puck()
{
    QPixmap pixmap = gui::canvas(135, 130, Qt::black);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paintIce(painter, QRectF(4, 4, 127, 122), 18);

    const QRectF top(22, 38, 91, 40);
    const QRectF bottom = top.translated(0, 26);
    QLinearGradient side(top.left(), 0, top.right(), 0);
    side.setColorAt(0, QColor(10, 10, 10));
    side.setColorAt(0.45, QColor(70, 70, 70));
    side.setColorAt(1, QColor(5, 5, 5));
    QPainterPath body;
    body.moveTo(top.left(), top.center().y());
    body.arcTo(bottom, 180, 180);
    body.lineTo(top.right(), top.center().y());
    body.arcTo(top, 0, 180);
    painter.setPen(Qt::NoPen);
    painter.setBrush(side);
    painter.drawPath(body);

    QRadialGradient face(top.center() - QPointF(14, 6), top.width() / 1.5);
    face.setColorAt(0, QColor(85, 85, 85));
    face.setColorAt(1, QColor(20, 20, 20));
    painter.setBrush(face);
    painter.drawEllipse(top);
    painter.setPen(QPen(kRed, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(top.adjusted(16, 7, -16, -7));
    return pixmap;
}

QPixmap stick()
{
    QPixmap pixmap = gui::canvas(135, 90, Qt::black);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paintIce(painter, QRectF(4, 4, 127, 82), 14);

    QLinearGradient wood(QPointF(30, 10), QPointF(40, 20));
    wood.setColorAt(0, QColor(214, 170, 110));
    wood.setColorAt(1, QColor(150, 100, 50));
    QPainterPath shaft;
    shaft.moveTo(22, 12);
    shaft.lineTo(30, 8);
    shaft.lineTo(86, 62);
    shaft.lineTo(78, 68);
    shaft.closeSubpath();
    painter.setPen(QPen(QColor(90, 60, 30), 1));
    painter.setBrush(wood);
    painter.drawPath(shaft);

    QPainterPath blade;
    blade.moveTo(78, 68);
    blade.lineTo(86, 62);
    blade.lineTo(112, 66);
    blade.quadTo(118, 72, 110, 75);
    blade.lineTo(80, 75);
    blade.closeSubpath();
    painter.setBrush(QColor(20, 20, 20));
    painter.drawPath(blade);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawLine(QPointF(90, 70), QPointF(106, 71));

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(15, 15, 15));
    painter.drawEllipse(QRectF(40, 66, 22, 9));
    return pixmap;
}

} // namespace bidmark::pictures
