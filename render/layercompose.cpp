#include "layercompose.h"

#include "core/quelpdoc.h"
#include "pixelops.h"

#include <algorithm>
#include <climits>

namespace {

enum ChipKind : uint8_t { Transparent = 0, Opaque = 1, Binary = 2, Partial = 3, CopyOverBlack = 4 };

/** One chip to draw in one cell. */
struct Entry {
    const QRgb* Base;   ///< the chip's top-left in the prepared sheet
    int Stride;         ///< sheet pixels per row
    int Width;          ///< pixels of the chip inside the cell
    int Height;
    uint8_t Kind;
};

template <class Source>
inline void Apply(uint8_t op, QRgb* d, int a, int b, Source s)
{
    switch (op) {
    case CopyOverBlack:
        for (int i = a; i < b; ++i)
            d[i] = s(i) | 0xFF000000u;
        break;
    case Opaque:
        for (int i = a; i < b; ++i)
            d[i] = s(i);
        break;
    case Binary:
        for (int i = a; i < b; ++i) {
            const QRgb v = s(i);
            d[i] = v ? v : d[i];
        }
        break;
    default:
        for (int i = a; i < b; ++i)
            d[i] = BlendOver(d[i], s(i));
        break;
    }
}

class Composer {
public:
    Composer(const std::vector<LayerSource>& layers, const IntRect& range, int cellWidth,
             int cellHeight)
        : layers_(layers), range_(range), cw_(cellWidth), ch_(cellHeight)
    {
    }

    void Run(QImage& target, QPoint origin, const StretchMap& map, bool groundIsBlack)
    {
        const int ncols = range_.Right - range_.Left + 1;
        const int nrows = range_.Bottom - range_.Top + 1;
        if (ncols <= 0 || nrows <= 0 || cw_ <= 0 || ch_ <= 0)
            return;
        const int srcW = ncols * cw_, srcH = nrows * ch_;
        const int i0 = std::max(0, -origin.x());
        const int i1 = std::min(static_cast<int>(map.SourceX.size()), target.width() - origin.x());
        const int j0 = std::max(0, -origin.y());
        const int j1 = std::min(static_cast<int>(map.SourceY.size()), target.height() - origin.y());
        if (i0 >= i1 || j0 >= j1)
            return;

        // Per target column: the chip column inside its cell, and the run of columns per cell.
        offX_.assign(static_cast<size_t>(i1), 0);
        runStart_.assign(static_cast<size_t>(ncols) + 1, i1);
        int ci = 0;
        for (int i = i0; i < i1; ++i) {
            const int sx = std::clamp(map.SourceX[static_cast<size_t>(i)], 0, srcW - 1);
            const int cell = sx / cw_;
            offX_[static_cast<size_t>(i)] = sx - cell * cw_;
            while (ci <= cell)
                runStart_[static_cast<size_t>(ci++)] = i;
        }
        const int ciFirst = std::clamp(map.SourceX[static_cast<size_t>(i0)], 0, srcW - 1) / cw_;
        const int ciLast = std::clamp(map.SourceX[static_cast<size_t>(i1 - 1)], 0, srcW - 1) / cw_;
        stackBegin_.assign(static_cast<size_t>(ncols) + 1, 0);
        const bool contiguous = map.IdentityX;

        int builtRow = INT_MIN;
        for (int j = j0; j < j1; ++j) {
            const int sy = std::clamp(map.SourceY[static_cast<size_t>(j)], 0, srcH - 1);
            const int cr = sy / ch_;
            const int oy = sy - cr * ch_;
            if (cr != builtRow) {
                BuildRow(range_.Top + cr, ciFirst, ciLast);
                builtRow = cr;
            }
            QRgb* d = reinterpret_cast<QRgb*>(target.scanLine(origin.y() + j)) + origin.x();
            for (int c = ciFirst; c <= ciLast; ++c) {
                const int a = runStart_[static_cast<size_t>(c)];
                const int b = runStart_[static_cast<size_t>(c) + 1];
                const int k0 = stackBegin_[static_cast<size_t>(c)];
                const int k1 = stackBegin_[static_cast<size_t>(c) + 1];
                for (int k = k0; k < k1; ++k) {
                    const Entry& e = entries_[static_cast<size_t>(k)];
                    if (oy >= e.Height)
                        continue;
                    const QRgb* s = e.Base + static_cast<ptrdiff_t>(oy) * e.Stride;
                    uint8_t op = e.Kind;
                    if (k == k0 && groundIsBlack)
                        op = CopyOverBlack;
                    DrawRun(op, d, s, a, b, e.Width, contiguous);
                }
            }
        }
    }

private:
    void DrawRun(uint8_t op, QRgb* d, const QRgb* s, int a, int b, int width, bool contiguous)
    {
        const int* off = offX_.data();
        if (width < cw_) {
            // A page cut smaller than the cells: only its own pixels are drawn.
            for (int i = a; i < b; ++i)
                if (off[i] < width)
                    Apply(op, d, i, i + 1, [&](int k) { return s[off[k]]; });
        } else if (contiguous) {
            const QRgb* base = s + off[a] - a;
            Apply(op, d, a, b, [base](int k) { return base[k]; });
        } else {
            Apply(op, d, a, b, [s, off](int k) { return s[off[k]]; });
        }
    }

    void Push(const CChipPage& page, int value, size_t cellBegin)
    {
        if (value < 0 || value >= page.ChipCount() || page.Columns <= 0)
            return;
        const size_t n = static_cast<size_t>(value);
        const uint8_t kind = n < page.ChipKinds.size() ? page.ChipKinds[n] : uint8_t{Partial};
        if (kind == Transparent)
            return;
        const int w = std::min(page.ChipWidth, cw_), h = std::min(page.ChipHeight, ch_);
        const int x = (value % page.Columns) * page.ChipWidth;
        const int y = (value / page.Columns) * page.ChipHeight;
        if (x + w > page.Prepared.width() || y + h > page.Prepared.height())
            return;
        // A chip that hides the whole cell makes everything beneath it pointless to draw.
        if (kind == Opaque && w == cw_ && h == ch_)
            entries_.resize(cellBegin);
        const int stride = static_cast<int>(page.Prepared.bytesPerLine() / 4);
        const QRgb* base = reinterpret_cast<const QRgb*>(page.Prepared.constBits())
                           + static_cast<ptrdiff_t>(y) * stride + x;
        entries_.push_back(Entry{base, stride, w, h, kind});
    }

    void BuildRow(int r, int ciFirst, int ciLast)
    {
        entries_.clear();
        for (int ci = ciFirst; ci <= ciLast; ++ci) {
            stackBegin_[static_cast<size_t>(ci)] = static_cast<int>(entries_.size());
            const size_t begin = entries_.size();
            const int c = range_.Left + ci;
            for (const LayerSource& layer : layers_) {
                const CChipPage* page = layer.Page;
                if (!page || page->Prepared.isNull())
                    continue;
                if (const CDataBuffer* f = layer.Floating) {
                    const int fx = c - layer.FloatPos.X, fy = r - layer.FloatPos.Y;
                    const size_t at = static_cast<size_t>(fy) * static_cast<size_t>(f->Width)
                                      + static_cast<size_t>(fx);
                    if (fx >= 0 && fy >= 0 && fx < f->Width && fy < f->Height && at < f->Data.size())
                        Push(*page, f->Data[at], begin);
                }
                if (layer.Cells && c >= 0 && r >= 0 && c < layer.Columns && r < layer.Rows) {
                    const IntRect& x = layer.Excluded;
                    if (layer.HasExcluded && c >= x.Left && c <= x.Right && r >= x.Top
                        && r <= x.Bottom)
                        continue;
                    Push(*page, layer.Cells[static_cast<size_t>(r) * layer.Columns + c], begin);
                }
            }
        }
        stackBegin_[static_cast<size_t>(ciLast) + 1] = static_cast<int>(entries_.size());
    }

    const std::vector<LayerSource>& layers_;
    IntRect range_;
    int cw_, ch_;
    std::vector<int> offX_;
    std::vector<int> runStart_;
    std::vector<int> stackBegin_;
    std::vector<Entry> entries_;
};

}  // namespace

void ComposeLayers(const std::vector<LayerSource>& layers, const IntRect& range, int cellWidth,
                   int cellHeight, QImage& target, QPoint origin, const StretchMap& map,
                   bool groundIsBlack)
{
    if (target.format() != QImage::Format_RGB32
        && target.format() != QImage::Format_ARGB32_Premultiplied)
        return;
    Composer(layers, range, cellWidth, cellHeight).Run(target, origin, map, groundIsBlack);
}

std::vector<LayerSource> MapLayerSources(const CQuelpDoc& doc, bool forScreen)
{
    const RegionSnapshot& clip = doc.Clipboard;
    const IntRect floating{doc.PastePos.X, doc.PastePos.Y,
                           doc.PastePos.X + (clip.Right - clip.Left),
                           doc.PastePos.Y + (clip.Bottom - clip.Top)};
    const bool blockFloats = forScreen && doc.SelectPhase == 2 && doc.EditMode < 3;
    const size_t cellCount = static_cast<size_t>(std::max(doc.Columns, 0))
                             * static_cast<size_t>(std::max(doc.Rows, 0));
    std::vector<LayerSource> sources;
    for (int i = 0; i < kLayerCount; ++i) {
        const CLayerData& layer = doc.Layers[static_cast<size_t>(i)];
        // The current layer shows on screen even when hidden.
        if (!layer.View && !(forScreen && i == doc.CurrentTab))
            continue;
        if (layer.ChipPage < 0 || layer.ChipPage >= kChipPageCount)
            continue;
        LayerSource source;
        source.Page = &doc.ChipPages[static_cast<size_t>(layer.ChipPage)];
        if (blockFloats) {
            for (const CDataBuffer& buffer : clip.Buffers)
                if (buffer.LayerId == layer.LayerId) {
                    source.Floating = &buffer;
                    source.FloatPos = doc.PastePos;
                    break;
                }
        }
        const bool otherLayerHidden =
            doc.SelectedLayerOnly && doc.CurrentTab < kEventsTab && i != doc.CurrentTab;
        if (!otherLayerHidden && layer.Cells && layer.Cells->size() >= cellCount) {
            source.Cells = layer.Cells->data();
            source.Columns = doc.Columns;
            source.Rows = doc.Rows;
            source.HasExcluded = source.Floating != nullptr;
            source.Excluded = floating;
        }
        if (source.Cells || source.Floating)
            sources.push_back(source);
    }
    return sources;
}
