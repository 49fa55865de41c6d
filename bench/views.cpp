// The map view's paints on a 512 x 512 map with all eight layers full of random chips (16 x 16,
// one 256 x 256 indexed sheet whose odd chips have key-colour holes): a whole 1920 x 1080 view,
// the strip a scroll brings into view, and the area a dragged outline or floating block repaints.

#include "core/nulluiport.h"
#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "edit/celledit.h"
#include "render/chippages.h"
#include "render/imagefile.h"
#include "views/mapviewpainter.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <stdexcept>

namespace {


struct BenchMap {
    MemorySettingsStore store;
    NullUiPort ui;
    std::unique_ptr<CQuelpDoc> doc;

    BenchMap()
    {
        ChipWidth = 16;
        ChipHeight = 16;
        doc = std::make_unique<CQuelpDoc>(store, ui);
        doc->Columns = 512;
        doc->Rows = 512;
        doc->OnNewDocument();
        QVector<QRgb> table(256);
        table[0] = qRgb(255, 0, 255);
        for (int i = 1; i < 256; ++i)
            table[i] = qRgb((i * 37) % 256, (i * 91) % 256, (i * 53) % 256);
        CChipPage& page = doc->ChipPages[0];
        if (!CreateImage(page.Image, 256, 256, 8, table))
            throw std::runtime_error("sheet");
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const int chip = (y / 16) * 16 + x / 16;
                const bool hole = chip % 2 == 1 && std::abs(x % 16 - 8) + std::abs(y % 16 - 8) > 6;
                page.Image.Pixels.setPixel(x, y, hole ? 0u : 1u + (chip * 7 + x + y) % 255);
            }
        int w = 16, h = 16;
        CutChipPage(page, w, h);
        std::mt19937 random(12345);
        std::uniform_int_distribution<int> chip(0, 255);
        for (CLayerData& layer : doc->Layers) {
            layer.Cells = CellGrid(512 * 512);
            for (int16_t& cell : *layer.Cells)
                cell = static_cast<int16_t>(chip(random));
        }
    }
};

BenchMap& Map()
{
    static BenchMap map;
    return map;
}

/** Paints one area (scrolled view pixels) as the view's paint handler does. */
void Paint(benchmark::State& state, QRect area)
{
    CQuelpDoc& doc = *Map().doc;
    doc.Zoom = static_cast<int>(state.range(0));
    doc.Grid = 1;
    QImage window(1920, 1080, QImage::Format_RGB32);
    const QPoint scroll(2000 * doc.Zoom / 4, 1500 * doc.Zoom / 4);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.translate(-scroll);
        PaintMapArea(painter, doc, area.translated(scroll));
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}

void BM_MapViewWholeWindow(benchmark::State& state) { Paint(state, QRect(0, 0, 1920, 1080)); }

void BM_MapViewScrollStrip(benchmark::State& state) { Paint(state, QRect(0, 1044, 1920, 36)); }

/** A rectangle dragged over 12 x 8 cells: the outline's old and new areas. */
void BM_MapViewDragOutline(benchmark::State& state)
{
    CQuelpDoc& doc = *Map().doc;
    doc.ButtonDown = 1;
    doc.DragAnchor = {140, 100};
    doc.DragPoint = {152, 108};
    const int z = static_cast<int>(state.range(0));
    Paint(state, QRect(300, 200, 12 * 16 * z / 4 + 3, 8 * 16 * z / 4 + 3));
    doc.ButtonDown = 0;
}

}  // namespace

BENCHMARK(BM_MapViewWholeWindow)->Arg(4)->Arg(3)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapViewScrollStrip)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapViewDragOutline)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);
