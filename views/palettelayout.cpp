#include "palettelayout.h"

#include "core/chipsize.h"
#include "core/quelpdoc.h"

const CChipPage* PalettePage(const CQuelpDoc& doc)
{
    const CLayerData* layer = doc.CurrentLayer();
    if (!layer || layer->ChipPage < 0 || layer->ChipPage >= kChipPageCount)
        return nullptr;
    const CChipPage& page = doc.ChipPages[layer->ChipPage];
    return page.InUse() ? &page : nullptr;
}

ChipHit HitTestChip(const CQuelpDoc& doc, QPoint p)
{
    const CChipPage* page = PalettePage(doc);
    if (!page)
        return {};
    if (p.x() >= 15 && p.y() >= 15 && p.x() < 80 && p.y() < 48)
        return {true, -1};
    const int w = ChipWidth;
    const int h = ChipHeight;
    if (w <= 0 || h <= 0)
        return {};
    if (p.x() >= 16 && p.y() >= 64 && p.x() < page->Columns * w + 15
        && p.y() < page->Rows * h + 63) {
        const int column = (p.x() - 16) / w;
        const int row = (p.y() - 64) / h;
        return {true, column + page->Columns * row};
    }
    return {};
}

QSize PaletteScrollSize(const CQuelpDoc& doc)
{
    if (doc.CurrentTab >= kEventsTab)
        return {96, 96};
    const CLayerData* layer = doc.CurrentLayer();
    const CChipPage* page = layer ? &doc.ChipPages[layer->ChipPage] : nullptr;
    const int sheetWidth = page ? page->Columns * page->ChipWidth : 0;
    const int sheetHeight = page ? page->Rows * page->ChipHeight : 0;
    return {sheetWidth + 1 > 64 ? sheetWidth + 33 : 96, sheetHeight + 81};
}

QRect ChipOutline(const CChipPage& page, int chip, int chipWidth, int chipHeight)
{
    if (chip < 0 || page.Columns <= 0)
        return {};
    const int c = chip % page.Columns;
    const int r = chip / page.Columns;
    return QRect(QPoint(15 + c * chipWidth, 63 + r * chipHeight),
                 QPoint(15 + (c + 1) * chipWidth, 63 + (r + 1) * chipHeight));
}
