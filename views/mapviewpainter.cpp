#include "mapviewpainter.h"

#include "mapviewgeometry.h"

#include "core/chipsize.h"
#include "core/quelpdoc.h"
#include "edit/celledit.h"
#include "render/maprender.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {
const QColor kFrameColor(0, 200, 200);

/** The cells of a range composed at the zoom, size x size view pixels. */
QImage ComposeCells(const CQuelpDoc& doc, const IntRect& range, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    DrawMapScaled(doc, range, true, picture, picture.rect());
    return picture;
}

QColor OutlineColor(int kind)
{
    switch (kind) {
    case 1: return QColor(255, 255, 255);
    case 2: return QColor(255, 255, 0);
    default: return QColor(255, 0, 255);
    }
}
}  // namespace

void PaintMapArea(QPainter& painter, const CQuelpDoc& doc, QRect area)
{
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(area, QColor(200, 200, 200));

    const MapViewGeometry g{doc.Zoom, ChipWidth, ChipHeight, doc.Columns, doc.Rows};
    if (g.Zoom < 1 || g.ChipWidth <= 0 || g.ChipHeight <= 0 || g.Columns <= 0 || g.Rows <= 0) {
        painter.restore();
        return;
    }
    const IntSize drawn = doc.GetMapPixelSize(g.Zoom);
    const QRect map(kMapMargin, kMapMargin, drawn.Width, drawn.Height);
    if (!area.intersects(map)) {
        painter.restore();
        return;
    }
    const IntRect range = VisibleCellRange(g, area);
    const QRect dest(QPoint(CellEdgeX(g, range.Left), CellEdgeY(g, range.Top)),
                     QPoint(CellEdgeX(g, range.Right + 1) - 1, CellEdgeY(g, range.Bottom + 1) - 1));

    // Cells sit on their own view pixels whatever the range, so that any part of the view can
    // be painted alone and meets its neighbours without a seam.
    const QImage picture = ComposeCells(doc, range, dest.size());
    if (picture.isNull())
        painter.fillRect(dest, Qt::black);
    else
        painter.drawImage(dest.topLeft(), picture);

    painter.setPen(QPen(kFrameColor, 1));
    painter.setBrush(Qt::NoBrush);
    if (doc.Grid) {
        // The range's own first edges too: an area that starts on a cell edge shows its line.
        for (int c = std::max(range.Left, 1); c <= range.Right && c < g.Columns; ++c)
            painter.drawLine(CellEdgeX(g, c), dest.top(), CellEdgeX(g, c), dest.bottom());
        for (int r = std::max(range.Top, 1); r <= range.Bottom && r < g.Rows; ++r)
            painter.drawLine(dest.left(), CellEdgeY(g, r), dest.right(), CellEdgeY(g, r));
    }
    // The frame runs on the first and last pixel of the drawn map.
    painter.drawRect(map.adjusted(0, 0, -1, -1));

    const HighlightRect h = GetHighlightRect(doc);
    if (h.Kind != 0) {
        const QPoint corners[] = {
            {h.Rect.Left + kMapMargin, h.Rect.Top + kMapMargin},
            {h.Rect.Right + kMapMargin, h.Rect.Top + kMapMargin},
            {h.Rect.Right + kMapMargin, h.Rect.Bottom + kMapMargin},
            {h.Rect.Left + kMapMargin, h.Rect.Bottom + kMapMargin},
        };
        painter.setPen(QPen(OutlineColor(h.Kind), 1));
        painter.drawPolygon(corners, 4);
    }
    painter.restore();
}
