#include "scrollpane.h"

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

bool CScrollPane::ScrollSideways(int delta)
{
    QScrollBar* h = horizontalScrollBar();
    if (h->maximum() <= 0)
        return false;
    const int before = h->value();
    const int step = PageSize().width();
    h->setValue(delta > 0 ? before - step : before + step);
    if (h->value() == before)
        return false;
    viewport()->repaint();
    return true;
}

void CScrollPane::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    if (delta.x() != 0) {
        ScrollSideways(delta.x());
        event->accept();
        return;
    }
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) {
        ScrollSideways(delta.y());
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void CScrollPane::scrollContentsBy(int dx, int dy)
{
    // Only the strip that comes into view is painted anew.
    viewport()->scroll(dx, dy);
}
