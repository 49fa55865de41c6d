// The map view's paints through its own painter on the shared 512 x 512 map: the frame of a
// whole 1920 x 1080 view with the grid (typical chips, and every chip with holes), the strip a
// scroll brings into view, and the area a dragged outline or floating block repaints.

#include "drawbench.h"
#include "views/mapviewgeometry.h"
#include "views/mapviewpainter.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

/** Paints one area (scrolled view pixels) as the view's paint handler does. */
void Paint(benchmark::State& state, CQuelpDoc& doc, QRect area, QPoint scroll)
{
    QImage window(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.translate(-scroll);
        PaintMapArea(painter, doc, area.translated(scroll));
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}

/** A 1920 x 1080 view at the top-left of the map, painted whole with the grid. */
void ViewFrame(benchmark::State& state, bool allHoles)
{
    CQuelpDoc& doc = *Map(allHoles).doc;
    doc.Zoom = static_cast<int>(state.range(0));
    doc.Grid = 1;
    const QRect whole(0, 0, 1920, 1080);
    Paint(state, doc, whole, {});
    const IntRect cells =
        VisibleCellRange({doc.Zoom, ChipWidth, ChipHeight, doc.Columns, doc.Rows}, whole);
    state.counters["cells"] = (cells.Right - cells.Left + 1.0) * (cells.Bottom - cells.Top + 1.0);
}

void BM_ViewFrame(benchmark::State& state)
{
    ViewFrame(state, false);
}

void BM_ViewFrameAllHoles(benchmark::State& state)
{
    ViewFrame(state, true);
}

/** Part of a view scrolled into the middle of the map. */
void PaintScrolled(benchmark::State& state, QRect area)
{
    CQuelpDoc& doc = *Map(false).doc;
    doc.Zoom = static_cast<int>(state.range(0));
    doc.Grid = 1;
    Paint(state, doc, area, QPoint(2000 * doc.Zoom / 4, 1500 * doc.Zoom / 4));
}

void BM_MapViewScrollStrip(benchmark::State& state)
{
    PaintScrolled(state, QRect(0, 1044, 1920, 36));
}

/** A rectangle dragged over 12 x 8 cells: the outline's old and new areas. */
void BM_MapViewDragOutline(benchmark::State& state)
{
    CQuelpDoc& doc = *Map(false).doc;
    doc.ButtonDown = 1;
    doc.DragAnchor = {140, 100};
    doc.DragPoint = {152, 108};
    const int z = static_cast<int>(state.range(0));
    PaintScrolled(state, QRect(300, 200, 12 * 16 * z / 4 + 3, 8 * 16 * z / 4 + 3));
    doc.ButtonDown = 0;
}

}  // namespace

BENCHMARK(BM_ViewFrame)->Arg(4)->Arg(3)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewFrameAllHoles)->Arg(4)->Arg(3)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapViewScrollStrip)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapViewDragOutline)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);
