#include "scrollpane.h"

#include <QApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

CScrollPane::CScrollPane(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, QColor(kPaneBackground));
    viewport()->setPalette(palette);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateBars();
}

void CScrollPane::SetScrollSizes(QSize total)
{
    total_ = total.expandedTo(QSize(1, 1));
    UpdateBars();
}

QSize CScrollPane::PageSize() const
{
    return {std::max(1, total_.width() / 10), std::max(1, total_.height() / 10)};
}

QPoint CScrollPane::ScrollPos() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CScrollPane::UpdateBars()
{
    const QSize view = viewport()->size();
    const QSize page = PageSize();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, total_.width() - view.width()));
    v->setRange(0, std::max(0, total_.height() - view.height()));
    h->setPageStep(page.width());
    v->setPageStep(page.height());
    h->setSingleStep(std::max(1, page.width() / 10));
    v->setSingleStep(std::max(1, page.height() / 10));
}

void CScrollPane::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateBars();
}

bool CScrollPane::ScrollByWheel(Qt::Orientation orientation, int angle)
{
    const bool sideways = orientation == Qt::Horizontal;
    QScrollBar* bar = sideways ? horizontalScrollBar() : verticalScrollBar();
    if (bar->maximum() <= 0)
        return false;
    const QSize cell = WheelCell();
    const qint64 lines = std::max(1, QApplication::wheelScrollLines());
    int& residue = sideways ? wheelResidue_.rx() : wheelResidue_.ry();
    const qint64 turned = qint64(angle) * lines * std::max(1, sideways ? cell.width() : cell.height())
                          + residue;
    const qint64 pixels = turned / 120;
    residue = static_cast<int>(turned % 120);
    const int before = bar->value();
    bar->setValue(static_cast<int>(std::clamp<qint64>(before - pixels, bar->minimum(),
                                                      bar->maximum())));
    if (bar->value() == before)
        return false;
    viewport()->repaint();
    return true;
}

void CScrollPane::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    if (delta.x() != 0)
        ScrollByWheel(Qt::Horizontal, delta.x());
    else if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
        ScrollByWheel(Qt::Horizontal, delta.y());
    else
        ScrollByWheel(Qt::Vertical, delta.y());
    event->accept();
}

void CScrollPane::scrollContentsBy(int dx, int dy)
{
    // Only the strip that comes into view is painted anew.
    viewport()->scroll(dx, dy);
}
