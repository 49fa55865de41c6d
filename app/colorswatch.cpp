#include "colorswatch.h"

#include <QPainter>

CColorSwatch::CColorSwatch(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMinimumSize(48, 20);
}

void CColorSwatch::SetColor(const QColor& color)
{
    color_ = color;
    update();
}

void CColorSwatch::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(contentsRect(), color_);
}

QColor ColorFromRef(uint32_t ref)
{
    return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF),
                  static_cast<int>((ref >> 16) & 0xFF));
}

uint32_t RefFromColor(const QColor& color)
{
    return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
           (static_cast<uint32_t>(color.blue()) << 16);
}
