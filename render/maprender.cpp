#include "maprender.h"

#include "chippages.h"
#include "core/chipsize.h"
#include "core/cp932.h"
#include "eventmarker.h"
#include "layercompose.h"
#include "mapfont.h"

#include <QFontMetrics>
#include <algorithm>

namespace {

bool IsRaster(const QImage& image)
{
    return image.format() == QImage::Format_RGB32
           || image.format() == QImage::Format_ARGB32_Premultiplied;
}

/** Runs draw on a raster copy of surface when its format is not one the composer writes. */
template <class Draw>
void OnRaster(QImage& surface, Draw draw)
{
    if (surface.isNull())
        return;
    if (IsRaster(surface)) {
        draw(surface);
        return;
    }
    const QImage::Format original = surface.format();
    QImage raster = surface.convertToFormat(surface.hasAlphaChannel()
                                                ? QImage::Format_ARGB32_Premultiplied
                                                : QImage::Format_RGB32);
    draw(raster);
    if (original == QImage::Format_Indexed8)
        surface = raster.convertToFormat(original, surface.colorTable(), Qt::ThresholdDither);
    else
        surface = raster.convertToFormat(original);
}

int RangeColumns(const IntRect& range)
{
    return range.Right - range.Left + 1;
}

int RangeRows(const IntRect& range)
{
    return range.Bottom - range.Top + 1;
}

/** The texts DrawMap writes, in drawing order, with the origin-independent rectangles. */
std::vector<CMemo> MemosToDraw(const CQuelpDoc& doc)
{
    std::vector<CMemo> memos;
    if (doc.ViewText || doc.CurrentTab == kTextsTab)
        for (const CMemo& memo : doc.Texts)
            memos.push_back(memo);
    if (!doc.TypedText.empty()) {
        CMemo typed;
        typed.Text = doc.TypedText;
        typed.Rect = {doc.TypePos.X, doc.TypePos.Y, doc.TypePos.X, doc.TypePos.Y};
        typed.Size = doc.FontSize;
        typed.Color = doc.TextColor;
        memos.push_back(typed);
    }
    if ((doc.EditMode == 3 || doc.EditMode == 4) && doc.MovingText >= 0
        && doc.MovingText < doc.Texts.GetCount()) {
        CMemo moved = doc.Texts.At(doc.MovingText);
        const int w = moved.Rect.Right - moved.Rect.Left, h = moved.Rect.Bottom - moved.Rect.Top;
        moved.Rect = {doc.PastePos.X, doc.PastePos.Y, doc.PastePos.X + w, doc.PastePos.Y + h};
        memos.push_back(moved);
    }
    return memos;
}

bool EventsShown(const CQuelpDoc& doc)
{
    return doc.ViewEvent || doc.CurrentTab == kEventsTab;
}

/** Layers and event markers of a range: everything below the texts. */
void ComposeRange(const CQuelpDoc& doc, const std::vector<LayerSource>& sources,
                  const IntRect& range, QImage& target, QPoint origin, const StretchMap& map,
                  bool groundIsBlack)
{
    ComposeLayers(sources, range, ChipWidth, ChipHeight, target, origin, map, groundIsBlack);
    if (!EventsShown(doc))
        return;
    const QPoint mapOrigin(range.Left * ChipWidth, range.Top * ChipHeight);
    for (const CEventData& event : doc.Events)
        PaintEventMarker(target, origin, map,
                         EventMarkerRect(event, range.Left, range.Top, ChipWidth, ChipHeight),
                         event.Type, mapOrigin);
}

void DrawTexts(const CQuelpDoc& doc, QPainter& painter, const IntRect& range)
{
    const int ox = range.Left * ChipWidth, oy = range.Top * ChipHeight;
    for (const CMemo& memo : MemosToDraw(doc))
        DrawMemo(memo, painter, doc.FontFace, ox, oy);
}

/** Full-size DrawMap onto a raster image at origin (0, 0). */
void DrawMapRaster(const CQuelpDoc& doc, QImage& surface, const IntRect& range, bool forScreen,
                   bool groundIsBlack)
{
    if (RangeColumns(range) <= 0 || RangeRows(range) <= 0)
        return;
    const int w = std::min(RangeColumns(range) * ChipWidth, surface.width());
    const int h = std::min(RangeRows(range) * ChipHeight, surface.height());
    const StretchMap map = StretchMap::Identity(w, h);
    ComposeRange(doc, MapLayerSources(doc, forScreen), range, surface, QPoint(0, 0), map,
                 groundIsBlack);
    if (MemosToDraw(doc).empty())
        return;
    QPainter painter(&surface);
    DrawTexts(doc, painter, range);
}

/** Where a text may leave pixels, in pixels of the range's picture. */
std::vector<QRect> TextFootprints(const CQuelpDoc& doc, const IntRect& range)
{
    std::vector<QRect> rects;
    const int ox = range.Left * ChipWidth, oy = range.Top * ChipHeight;
    for (const CMemo& memo : MemosToDraw(doc)) {
        const QFont font = MapFont(doc.FontFace, memo.Size);
        const QFontMetrics metrics(font);
        const QString text = QStringFromCp932(memo.Text);
        const QPoint at(memo.Rect.Left - ox, memo.Rect.Top - oy);
        const int margin = 2 + font.pixelSize() / 2;
        QRect r(at, QSize(metrics.horizontalAdvance(text), metrics.height()));
        r = r.united(metrics.boundingRect(text).translated(at.x(), at.y() + metrics.ascent()));
        rects.push_back(r.adjusted(-margin, -margin, margin, margin));
    }
    return rects;
}

}  // namespace

IntRect WholeMapRange(const CQuelpDoc& doc)
{
    return {0, 0, doc.Columns - 1, doc.Rows - 1};
}

void DrawMap(const CQuelpDoc& doc, QImage& surface, const IntRect& range, bool forScreen)
{
    OnRaster(surface,
             [&](QImage& raster) { DrawMapRaster(doc, raster, range, forScreen, false); });
}

void DrawMap(const CQuelpDoc& doc, QPainter& surface, const IntRect& range, bool forScreen)
{
    if (RangeColumns(range) <= 0 || RangeRows(range) <= 0)
        return;
    // Layers and markers go through bands of a few cell rows, so that a large map never needs
    // one huge scratch picture.
    const std::vector<LayerSource> sources = MapLayerSources(doc, forScreen);
    const int width = RangeColumns(range) * ChipWidth;
    const int bandRows = std::max(1, 256 / std::max(1, ChipHeight));
    for (int top = range.Top; top <= range.Bottom; top += bandRows) {
        const IntRect band{range.Left, top, range.Right, std::min(range.Bottom, top + bandRows - 1)};
        QImage scratch(width, RangeRows(band) * ChipHeight, QImage::Format_ARGB32_Premultiplied);
        if (scratch.isNull())
            return;
        scratch.fill(0u);
        ComposeRange(doc, sources, band, scratch, QPoint(0, 0),
                     StretchMap::Identity(scratch.width(), scratch.height()), false);
        surface.drawImage(QPoint(0, (top - range.Top) * ChipHeight), scratch);
    }
    surface.save();
    DrawTexts(doc, surface, range);
    surface.restore();
}

bool DrawMapToImage(CImage& image, const CQuelpDoc& doc, const IntRect& range, bool forScreen)
{
    if (image.IsNull())
        return false;
    DrawMap(doc, image.Pixels, range, forScreen);
    return true;
}

void DrawMapScaled(const CQuelpDoc& doc, const IntRect& range, bool forScreen, QImage& target,
                   const QRect& dest)
{
    if (!IsRaster(target) || dest.isEmpty() || RangeColumns(range) <= 0 || RangeRows(range) <= 0)
        return;
    const int sw = RangeColumns(range) * ChipWidth, sh = RangeRows(range) * ChipHeight;
    const StretchMap map = StretchMap::Fit(sw, sh, dest.width(), dest.height());
    {
        QPainter fill(&target);
        fill.fillRect(dest, Qt::black);
    }
    ComposeRange(doc, MapLayerSources(doc, forScreen), range, target, dest.topLeft(), map, true);

    // Texts are rasterised at full size, as the stretched picture shows them: the tiles they
    // touch are drawn whole at full size and stretched like the rest.
    const std::vector<QRect> footprints = TextFootprints(doc, range);
    if (footprints.empty())
        return;
    const QRect clip = dest.intersected(target.rect()).translated(-dest.topLeft());
    const int i0 = clip.left(), i1 = clip.right() + 1, j0 = clip.top(), j1 = clip.bottom() + 1;
    constexpr int kTileCells = 8;
    for (int ty = range.Top; ty <= range.Bottom; ty += kTileCells) {
        for (int tx = range.Left; tx <= range.Right; tx += kTileCells) {
            const IntRect tile{tx, ty, std::min(range.Right, tx + kTileCells - 1),
                               std::min(range.Bottom, ty + kTileCells - 1)};
            const QRect px((tx - range.Left) * ChipWidth, (ty - range.Top) * ChipHeight,
                           RangeColumns(tile) * ChipWidth, RangeRows(tile) * ChipHeight);
            if (std::none_of(footprints.begin(), footprints.end(),
                             [&](const QRect& r) { return r.intersects(px); }))
                continue;
            const auto xa = std::lower_bound(map.SourceX.begin() + i0, map.SourceX.begin() + i1,
                                             px.left()) - map.SourceX.begin();
            const auto xb = std::lower_bound(map.SourceX.begin() + i0, map.SourceX.begin() + i1,
                                             px.right() + 1) - map.SourceX.begin();
            const auto ya = std::lower_bound(map.SourceY.begin() + j0, map.SourceY.begin() + j1,
                                             px.top()) - map.SourceY.begin();
            const auto yb = std::lower_bound(map.SourceY.begin() + j0, map.SourceY.begin() + j1,
                                             px.bottom() + 1) - map.SourceY.begin();
            if (xa >= xb || ya >= yb)
                continue;
            QImage full(px.size(), QImage::Format_RGB32);
            if (full.isNull())
                continue;
            full.fill(0xFF000000u);
            DrawMapRaster(doc, full, tile, forScreen, true);
            for (auto j = ya; j < yb; ++j) {
                const QRgb* s = reinterpret_cast<const QRgb*>(
                    full.constScanLine(map.SourceY[static_cast<size_t>(j)] - px.top()));
                QRgb* d = reinterpret_cast<QRgb*>(target.scanLine(dest.top() + static_cast<int>(j)))
                          + dest.left();
                for (auto i = xa; i < xb; ++i)
                    d[i] = s[map.SourceX[static_cast<size_t>(i)] - px.left()];
            }
        }
    }
}

bool DrawLayerCells(const ChipPageArray& pages, const IntRect& range, const CLayerData& layer,
                    QImage& surface, int columns, int rows)
{
    if (!layer.Cells || layer.ChipPage < 0 || layer.ChipPage >= kChipPageCount)
        return false;
    const CChipPage& page = pages[static_cast<size_t>(layer.ChipPage)];
    if (!page.InUse())
        return false;
    if (columns <= 0 || rows <= 0
        || layer.Cells->size() < static_cast<size_t>(columns) * static_cast<size_t>(rows))
        return true;
    LayerSource source;
    source.Page = &page;
    source.Cells = layer.Cells->data();
    source.Columns = columns;
    source.Rows = rows;
    OnRaster(surface, [&](QImage& raster) {
        const int w = std::min(RangeColumns(range) * ChipWidth, raster.width());
        const int h = std::min(RangeRows(range) * ChipHeight, raster.height());
        if (w > 0 && h > 0)
            ComposeLayers({source}, range, ChipWidth, ChipHeight, raster, QPoint(0, 0),
                          StretchMap::Identity(w, h), false);
    });
    return true;
}

bool DrawLayerToImage(CImage& image, const CLayerData& layer, const ChipPageArray& pages,
                      const IntRect& range, int columns, int rows)
{
    if (image.IsNull())
        return false;
    if (!layer.Cells || layer.ChipPage < 0 || layer.ChipPage >= kChipPageCount)
        return false;
    const CChipPage& page = pages[static_cast<size_t>(layer.ChipPage)];
    if (!page.InUse())
        return false;
    if (!image.IsIndexed() || !page.Image.IsIndexed())
        return DrawLayerCells(pages, range, layer, image.Pixels, columns, rows);
    if (columns <= 0 || rows <= 0
        || layer.Cells->size() < static_cast<size_t>(columns) * static_cast<size_t>(rows))
        return true;
    // Indices are copied; every entry of the key's colour is a hole, as on the screen.
    const CImage& sheet = page.Image;
    const QRgb key = sheet.ColorTable[std::max(ChipKeyIndex(sheet), 0)] & 0xFFFFFFu;
    std::array<bool, 256> hole{};
    for (int i = 0; i < 256; ++i)
        hole[static_cast<size_t>(i)] = i >= sheet.ColorTable.size() || i >= image.ColorTable.size()
                                       || (sheet.ColorTable[i] & 0xFFFFFFu) == key;
    const int w = std::min(page.ChipWidth, ChipWidth), h = std::min(page.ChipHeight, ChipHeight);
    for (int r = std::max(range.Top, 0); r <= std::min(range.Bottom, rows - 1); ++r)
        for (int c = std::max(range.Left, 0); c <= std::min(range.Right, columns - 1); ++c) {
            const int v = (*layer.Cells)[static_cast<size_t>(r) * columns + c];
            // A sheet narrower than one chip gives the pixels it has.
            const QRect src = ChipSourceRect(page, v).intersected(sheet.Pixels.rect());
            if (src.isEmpty())
                continue;
            const int dx = (c - range.Left) * ChipWidth, dy = (r - range.Top) * ChipHeight;
            for (int y = 0; y < std::min(h, src.height()) && dy + y < image.GetHeight(); ++y) {
                const uchar* s = sheet.Pixels.constScanLine(src.top() + y) + src.left();
                uchar* d = image.Pixels.scanLine(dy + y);
                for (int x = 0; x < std::min(w, src.width()) && dx + x < image.GetWidth(); ++x)
                    if (!hole[s[x]])
                        d[dx + x] = s[x];
            }
        }
    return true;
}

void DrawMemo(const CMemo& memo, QPainter& surface, const std::string& faceCp932, int originX,
              int originY)
{
    const QFont font = MapFont(faceCp932, memo.Size);
    const QFontMetrics metrics(font);
    surface.save();
    surface.setFont(font);
    surface.setPen(QColor::fromRgb(RgbFromColorRef(memo.Color)));
    surface.drawText(QPoint(memo.Rect.Left - originX, memo.Rect.Top - originY + metrics.ascent()),
                     QStringFromCp932(memo.Text));
    surface.restore();
}
