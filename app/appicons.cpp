#include "appicons.h"

#include "commandids.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 40);

QIcon MakeIcon(int logicalSize, const Drawing& draw)
{
    QIcon icon;
    for (int scale = 1; scale <= 3; ++scale) {
        QPixmap pixmap(logicalSize * scale, logicalSize * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(logicalSize / 16.0, logicalSize / 16.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen Pen(const QColor& color, double width = 1.0, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(color, width, style, Qt::SquareCap, Qt::MiterJoin);
    return pen;
}

void Page(QPainter& p, QRectF r, const QColor& fill = Qt::white)
{
    QPainterPath path;
    const double fold = 3.5;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Pen(kInk));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void DrawNew(QPainter& p) { Page(p, QRectF(3.5, 1.5, 9, 13)); }

void DrawOpen(QPainter& p)
{
    p.setPen(Pen(QColor(120, 90, 10)));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(1.5, 4.5, 11, 9));
    p.drawRect(QRectF(1.5, 3.0, 5, 1.5));
    QPolygonF lid({QPointF(3.5, 7.5), QPointF(15.0, 7.5), QPointF(12.5, 13.5), QPointF(1.5, 13.5)});
    p.setBrush(QColor(255, 225, 120));
    p.drawPolygon(lid);
}

void DrawSave(QPainter& p)
{
    p.setPen(Pen(QColor(20, 30, 80)));
    p.setBrush(QColor(60, 80, 170));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 5));
    p.setBrush(QColor(190, 190, 200));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
    p.fillRect(QRectF(9.0, 2.5, 2, 3), QColor(60, 80, 170));
}

void DrawPrint(QPainter& p)
{
    p.setPen(Pen(kInk));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(170, 170, 175));
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.fillRect(QRectF(12.0, 8.0, 1.5, 1.5), QColor(40, 180, 40));
}

void DrawCut(QPainter& p)
{
    p.setPen(Pen(kInk, 1.2));
    p.drawLine(QPointF(5.0, 1.5), QPointF(10.0, 10.0));
    p.drawLine(QPointF(11.0, 1.5), QPointF(6.0, 10.0));
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(QColor(200, 30, 30), 1.3));
    p.drawEllipse(QPointF(4.5, 12.0), 2.5, 2.5);
    p.drawEllipse(QPointF(11.5, 12.0), 2.5, 2.5);
}

void DrawCopy(QPainter& p)
{
    Page(p, QRectF(1.5, 1.5, 8, 10));
    Page(p, QRectF(6.5, 4.5, 8, 10));
}

void DrawPaste(QPainter& p)
{
    p.setPen(Pen(QColor(100, 70, 20)));
    p.setBrush(QColor(200, 150, 70));
    p.drawRect(QRectF(1.5, 2.5, 10, 12));
    p.setBrush(QColor(170, 170, 175));
    p.drawRect(QRectF(4.0, 1.0, 5, 3));
    Page(p, QRectF(7.5, 6.5, 7, 8));
}

void DrawNormalMode(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 50, 60));
    p.drawRect(QRectF(4, 4, 8, 8));
    p.setBrush(QColor(255, 140, 0));
    p.drawEllipse(QPointF(8, 8), 2, 2);
}

void DottedRect(QPainter& p, QRectF r, const QColor& color)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(color, 1.0, Qt::DotLine));
    p.drawRect(r);
}

void DrawLayerSelect(QPainter& p) { DottedRect(p, QRectF(2.5, 3.5, 11, 9), kInk); }

void DrawAllSelect(QPainter& p)
{
    DottedRect(p, QRectF(5.5, 1.5, 9, 7), QColor(90, 90, 90));
    DottedRect(p, QRectF(3.5, 4.5, 9, 7), QColor(60, 60, 60));
    DottedRect(p, QRectF(1.5, 7.5, 9, 7), kInk);
}

void DrawText(QPainter& p, const QString& text, double pixelSize)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setBold(true);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

void DrawFraction(QPainter& p, int numerator)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRectF(0, -0.5, 9, 9), Qt::AlignCenter, QString::number(numerator));
    p.drawText(QRectF(7, 7.5, 9, 9), Qt::AlignCenter, QStringLiteral("4"));
    p.setPen(Pen(kInk, 1.2));
    p.drawLine(QPointF(3.0, 14.0), QPointF(13.0, 2.0));
}

void DrawSelectedLayerOnly(QPainter& p)
{
    p.setPen(Pen(QColor(210, 30, 30), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    QPolygonF sheet({QPointF(5, 4.5), QPointF(13, 4.5), QPointF(11, 11.5), QPointF(3, 11.5)});
    p.setPen(Pen(QColor(20, 110, 20)));
    p.setBrush(QColor(70, 190, 70));
    p.drawPolygon(sheet);
}

void DrawGrid(QPainter& p)
{
    p.setPen(Pen(QColor(0, 170, 200)));
    p.setBrush(Qt::NoBrush);
    for (double v = 1.5; v <= 15.0; v += 4.5) {
        p.drawLine(QPointF(v, 1.5), QPointF(v, 14.5));
        p.drawLine(QPointF(1.5, v), QPointF(14.5, v));
    }
}

void DrawProgram(QPainter& p)
{
    const QColor tiles[4] = {QColor(90, 170, 70), QColor(70, 130, 200), QColor(200, 170, 90),
                             QColor(60, 140, 60)};
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            p.setBrush(tiles[r * 2 + c]);
            p.drawRect(QRectF(1 + c * 7, 1 + r * 7, 7, 7));
        }
    p.setPen(Pen(kInk));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 14, 14));
    p.setPen(Pen(QColor(220, 40, 40), 2.0));
    p.drawLine(QPointF(6, 13), QPointF(14, 5));
}
}  // namespace

QIcon ToolBarIcon(int commandId)
{
    switch (commandId) {
    case cmd::FileNew: return MakeIcon(16, DrawNew);
    case cmd::FileOpen: return MakeIcon(16, DrawOpen);
    case cmd::FileSave: return MakeIcon(16, DrawSave);
    case cmd::Print: return MakeIcon(16, DrawPrint);
    case cmd::Cut: return MakeIcon(16, DrawCut);
    case cmd::Copy: return MakeIcon(16, DrawCopy);
    case cmd::Paste: return MakeIcon(16, DrawPaste);
    case cmd::ModeNormal: return MakeIcon(16, DrawNormalMode);
    case cmd::ModeLayerSelect: return MakeIcon(16, DrawLayerSelect);
    case cmd::ModeAllSelect: return MakeIcon(16, DrawAllSelect);
    case cmd::Zoom4: return MakeIcon(16, [](QPainter& p) { DrawText(p, QString::fromUtf8("等"), 14); });
    case cmd::Zoom3: return MakeIcon(16, [](QPainter& p) { DrawFraction(p, 3); });
    case cmd::Zoom2: return MakeIcon(16, [](QPainter& p) { DrawFraction(p, 2); });
    case cmd::Zoom1: return MakeIcon(16, [](QPainter& p) { DrawFraction(p, 1); });
    case cmd::SelectedLayerOnly: return MakeIcon(16, DrawSelectedLayerOnly);
    case cmd::Grid: return MakeIcon(16, DrawGrid);
    default: return QIcon();
    }
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        DrawProgram(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
