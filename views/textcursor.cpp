#include "textcursor.h"

#include <QPainter>
#include <QPixmap>

QCursor TextPlacementCursor()
{
    static const QCursor cursor = [] {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        const QPoint arrow[] = {{0, 0}, {0, 15}, {4, 11}, {7, 17}, {9, 16}, {6, 10}, {11, 10}};
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Qt::black);
        p.drawPolygon(arrow, 7);
        // The small letter A beside the arrow.
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(13, 26, 17, 14);
        p.drawLine(17, 14, 21, 26);
        p.drawLine(15, 21, 19, 21);
        return QCursor(pixmap, 0, 0);
    }();
    return cursor;
}
