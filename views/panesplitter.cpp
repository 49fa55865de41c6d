#include "panesplitter.h"

#include <QResizeEvent>
#include <algorithm>

std::pair<int, int> FitPaneWidths(int palette, int map, int available, int paletteOwn,
                                  int minimum)
{
    int deficit = palette + map - available;
    if (deficit <= 0)
        return {palette, map - deficit};
    const auto give = [&deficit](int& width, int floor) {
        const int taken = std::clamp(width - floor, 0, deficit);
        width -= taken;
        deficit -= taken;
    };
    give(palette, std::max(paletteOwn, minimum));
    give(map, minimum);
    give(palette, minimum);
    return {palette, map};
}

void CPaneSplitter::resizeEvent(QResizeEvent* event)
{
    // The children still have their old sizes here; the base class then lays them out anew.
    const QList<int> before = sizes();
    QSplitter::resizeEvent(event);
    if (count() != 2 || before.size() != 2 || before[0] <= 0 || before[1] <= 0)
        return;
    const int extent = orientation() == Qt::Horizontal ? width() : height();
    const int available = extent - handleWidth();
    if (available <= 0 || available == before[0] + before[1])
        return;
    const int own = orientation() == Qt::Horizontal ? widget(0)->sizeHint().width()
                                                    : widget(0)->sizeHint().height();
    const int minimum = orientation() == Qt::Horizontal
        ? std::max(widget(0)->minimumWidth(), widget(1)->minimumWidth())
        : std::max(widget(0)->minimumHeight(), widget(1)->minimumHeight());
    const auto [first, second] = FitPaneWidths(before[0], before[1], available, own, minimum);
    setSizes({first, second});
}
