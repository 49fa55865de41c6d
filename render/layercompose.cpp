#include "layercompose.h"

#include "core/quelpdoc.h"
#include "pixelops.h"

#include <algorithm>

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

enum RunShape : uint8_t { Straight, Stride2, Stride4, Gather };

template <uint8_t Op>
inline QRgb Combine(QRgb d, QRgb s)
{
    if constexpr (Op == CopyOverBlack)
        return s | 0xFF000000u;
    else if constexpr (Op == Opaque)
        return s;
    else if constexpr (Op == Binary)
        // Pixels are either 0 or opaque: the sign of the alpha byte selects, without branches.
        return s | (d & ~static_cast<QRgb>(static_cast<int32_t>(s) >> 31));
    else
        return BlendOver(d, s);
}

/** One chip drawn into the target rows of one cell row: rows[r] + a .. + b. */
struct Block {
    QRgb* const* Rows;     ///< target row pointers
    const int* Oy;         ///< chip row per target row
    int RowCount;
    const QRgb* Base;      ///< the chip's top-left in the prepared sheet
    int Stride;
    int Height;            ///< chip rows available
    int Width;             ///< chip columns available
    int A, B;              ///< target columns of the cell
    const int* Off;        ///< chip column per target column
};

template <uint8_t Op, int K>
void DrawStrided(const Block& k)
{
    const int n = k.B - k.A;
    for (int r = 0; r < k.RowCount; ++r) {
        if (k.Oy[r] >= k.Height)
            continue;
        QRgb* __restrict d = k.Rows[r] + k.A;
        const QRgb* __restrict s = k.Base + static_cast<ptrdiff_t>(k.Oy[r]) * k.Stride + k.Off[k.A];
        for (int i = 0; i < n; ++i)
            d[i] = Combine<Op>(d[i], s[K * i]);
    }
}

template <uint8_t Op>
void DrawGather(const Block& k)
{
    for (int r = 0; r < k.RowCount; ++r) {
        if (k.Oy[r] >= k.Height)
            continue;
        QRgb* __restrict d = k.Rows[r];
        const QRgb* __restrict s = k.Base + static_cast<ptrdiff_t>(k.Oy[r]) * k.Stride;
        for (int i = k.A; i < k.B; ++i)
            if (k.Off[i] < k.Width)  // a page cut smaller than the cells draws only its own
                d[i] = Combine<Op>(d[i], s[k.Off[i]]);
    }
}

template <uint8_t Op>
void DrawShaped(RunShape shape, const Block& k)
{
    switch (shape) {
    case Straight:
        DrawStrided<Op, 1>(k);
        break;
    case Stride2:
        DrawStrided<Op, 2>(k);
        break;
    case Stride4:
        DrawStrided<Op, 4>(k);
        break;
    default:
        DrawGather<Op>(k);
        break;
    }
}

void DrawBlock(uint8_t op, RunShape shape, const Block& k)
{
    switch (op) {
    case CopyOverBlack:
        DrawShaped<CopyOverBlack>(shape, k);
        break;
    case Opaque:
        DrawShaped<Opaque>(shape, k);
        break;
    case Binary:
        DrawShaped<Binary>(shape, k);
        break;
    default:
        DrawShaped<Partial>(shape, k);
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
        PreparePages();
        // Per cell: how its columns read the chip, the same for every row.
        shape_.assign(static_cast<size_t>(ncols), Gather);
        for (int c = ciFirst; c <= ciLast; ++c) {
            const int a = runStart_[static_cast<size_t>(c)], b = runStart_[static_cast<size_t>(c) + 1];
            if (a >= b)
                continue;
            const int n = b - 1 - a, span = offX_[static_cast<size_t>(b - 1)] - offX_[static_cast<size_t>(a)];
            shape_[static_cast<size_t>(c)] = (map.IdentityX || span == n) ? Straight
                                             : span == 2 * n                ? Stride2
                                             : span == 4 * n                ? Stride4
                                                                            : Gather;
        }
        QRgb* bits = reinterpret_cast<QRgb*>(target.bits());
        const ptrdiff_t stride = target.bytesPerLine() / 4;
        auto sourceRow = [&](int j) {
            return std::clamp(map.SourceY[static_cast<size_t>(j)], 0, srcH - 1);
        };
        for (int j = j0; j < j1;) {
            // The target rows showing one cell row are composed together, cell by cell.
            const int cr = sourceRow(j) / ch_;
            rows_.clear();
            oy_.clear();
            for (; j < j1 && sourceRow(j) / ch_ == cr; ++j) {
                rows_.push_back(bits + (origin.y() + j) * stride + origin.x());
                oy_.push_back(sourceRow(j) - cr * ch_);
            }
            BuildRow(range_.Top + cr, ciFirst, ciLast);
            for (int c = ciFirst; c <= ciLast; ++c) {
                const int a = runStart_[static_cast<size_t>(c)];
                const int b = runStart_[static_cast<size_t>(c) + 1];
                const int k0 = stackBegin_[static_cast<size_t>(c)];
                const int k1 = stackBegin_[static_cast<size_t>(c) + 1];
                if (a >= b)
                    continue;
                for (int k = k0; k < k1; ++k) {
                    const Entry& e = entries_[static_cast<size_t>(k)];
                    const uint8_t op = (k == k0 && groundIsBlack) ? uint8_t{CopyOverBlack} : e.Kind;
                    const RunShape shape = e.Width < cw_ ? Gather : shape_[static_cast<size_t>(c)];
                    DrawBlock(op, shape,
                              Block{rows_.data(), oy_.data(), static_cast<int>(rows_.size()), e.Base,
                                    e.Stride, e.Height, e.Width, a, b, offX_.data()});
                }
            }
        }
    }

private:
    /** What the composition needs of a page, looked up once per call instead of per cell. */
    struct PageInfo {
        const QRgb* Bits = nullptr;
        int Stride = 0;
        int Width = 0;         ///< chip pixels drawn inside a cell
        int Height = 0;
        bool Covers = false;   ///< a chip fills the whole cell
        std::vector<int32_t> Offset;  ///< per chip: its top-left in Bits, or -1
        std::vector<uint8_t> Kind;    ///< per chip; Transparent for chips outside the sheet
    };

    void PreparePages()
    {
        infos_.assign(layers_.size(), nullptr);
        pages_.clear();
        pages_.reserve(layers_.size());  // infos_ points into it: no reallocation
        for (size_t l = 0; l < layers_.size(); ++l) {
            const CChipPage* page = layers_[l].Page;
            if (!page || page->Prepared.isNull() || page->Columns <= 0 || page->ChipCount() <= 0)
                continue;
            auto found = std::find_if(pages_.begin(), pages_.end(),
                                      [&](const auto& p) { return p.first == page; });
            if (found == pages_.end()) {
                PageInfo info;
                const QImage& sheet = page->Prepared;
                info.Bits = reinterpret_cast<const QRgb*>(sheet.constBits());
                info.Stride = static_cast<int>(sheet.bytesPerLine() / 4);
                // A sheet narrower or lower than one chip still offers it: its own pixels draw.
                info.Width = std::min({page->ChipWidth, cw_, sheet.width()});
                info.Height = std::min({page->ChipHeight, ch_, sheet.height()});
                info.Covers = info.Width == cw_ && info.Height == ch_;
                const int count = std::min(page->ChipCount(), 32768);
                info.Offset.assign(static_cast<size_t>(count), -1);
                info.Kind.assign(static_cast<size_t>(count), uint8_t{Transparent});
                for (int n = 0; n < count; ++n) {
                    const int x = (n % page->Columns) * page->ChipWidth;
                    const int y = (n / page->Columns) * page->ChipHeight;
                    if (x + info.Width > sheet.width() || y + info.Height > sheet.height())
                        continue;
                    info.Offset[static_cast<size_t>(n)] = y * info.Stride + x;
                    const size_t k = static_cast<size_t>(n);
                    info.Kind[k] = k < page->ChipKinds.size() ? page->ChipKinds[k] : uint8_t{Partial};
                }
                pages_.emplace_back(page, std::move(info));
                found = pages_.end() - 1;
            }
            infos_[l] = &found->second;
        }
    }

    /** Adds chip value of a page to the cell's stack, top first; true when it hides the rest. */
    bool Take(const PageInfo& info, int value, Entry* stack, int& n)
    {
        if (value < 0 || value >= static_cast<int>(info.Kind.size()))
            return false;
        const uint8_t kind = info.Kind[static_cast<size_t>(value)];
        if (kind == Transparent)
            return false;
        stack[n++] = Entry{info.Bits + info.Offset[static_cast<size_t>(value)], info.Stride,
                           info.Width, info.Height, kind};
        return kind == Opaque && info.Covers;
    }

    void BuildRow(int r, int ciFirst, int ciLast)
    {
        entries_.clear();
        const int layerCount = static_cast<int>(layers_.size());
        Entry stack[2 * kLayerCount + 2];
        for (int ci = ciFirst; ci <= ciLast; ++ci) {
            stackBegin_[static_cast<size_t>(ci)] = static_cast<int>(entries_.size());
            const int c = range_.Left + ci;
            int n = 0;
            // From the top layer down, stopping under the first chip that hides the cell.
            for (int l = layerCount - 1; l >= 0 && n + 2 <= 2 * kLayerCount; --l) {
                const PageInfo* info = infos_[static_cast<size_t>(l)];
                if (!info)
                    continue;
                const LayerSource& layer = layers_[static_cast<size_t>(l)];
                if (layer.Cells && c >= 0 && r >= 0 && c < layer.Columns && r < layer.Rows) {
                    const IntRect& x = layer.Excluded;
                    const bool excluded = layer.HasExcluded && c >= x.Left && c <= x.Right
                                          && r >= x.Top && r <= x.Bottom;
                    if (!excluded
                        && Take(*info, layer.Cells[static_cast<size_t>(r) * layer.Columns + c],
                                stack, n))
                        break;
                }
                if (const CDataBuffer* f = layer.Floating) {
                    // The block lies beneath the layer's own cells (which it excludes).
                    const int fx = c - layer.FloatPos.X, fy = r - layer.FloatPos.Y;
                    const size_t at = static_cast<size_t>(fy) * static_cast<size_t>(f->Width)
                                      + static_cast<size_t>(fx);
                    if (fx >= 0 && fy >= 0 && fx < f->Width && fy < f->Height
                        && at < f->Data.size() && Take(*info, f->Data[at], stack, n))
                        break;
                }
            }
            while (n > 0)
                entries_.push_back(stack[--n]);
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
    std::vector<RunShape> shape_;
    std::vector<QRgb*> rows_;
    std::vector<int> oy_;
    std::vector<std::pair<const CChipPage*, PageInfo>> pages_;
    std::vector<const PageInfo*> infos_;
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
