#include "binarymap.h"

#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "export/bytewriter.h"
#include "mapfile/atomicfile.h"
#include "mapfile/ptnmatch.h"

// The file format knows data sizes 1 and 2; a larger value (only a hand-edited map file can hold
// one) writes the whole 16-bit cell and the block says 2, so that a reader never goes astray.
int CellWidth(int dataSize)
{
    if (dataSize <= 0)
        return 0;
    return dataSize == 1 ? 1 : 2;
}

ValidRange FindValidRange(const CLayerData& layer, int columns, int rows)
{
    ValidRange range{columns, rows, 0, 0, 0};
    if (!layer.Cells)
        return range;
    const CellGrid& cells = *layer.Cells;
    for (int row = 0; row < rows; ++row) {
        const int16_t* line = cells.data() + static_cast<std::size_t>(row) * columns;
        for (int column = 0; column < columns; ++column) {
            if (line[column] == -1)
                continue;
            ++range.Count;
            if (column < range.Left)
                range.Left = column;
            if (column > range.Right)
                range.Right = column;
            if (row < range.Top)
                range.Top = row;
            if (row > range.Bottom)
                range.Bottom = row;
        }
    }
    return range;
}

std::string GetEventMapName(const std::string& map, int method)
{
    if (map.empty())
        return {};
    std::string folder, name, base, ext;
    switch (method) {
    case 0:
        CPtnMatch::SplitPathExt(folder, base, ext, map);
        return base;
    case 1:
        CPtnMatch::SplitPath(folder, name, map);
        return name;
    case 2:
        return map;
    default:
        return {};
    }
}

void WriteChipPageEntry(CByteWriter& out, const CChipPage& page)
{
    if (!page.InUse()) {
        out.I32(0);
        out.I32(0);
        out.String({});
        return;
    }
    std::string folder, name;
    CPtnMatch::SplitPath(folder, name, page.FilePath);
    out.I32(page.Columns);
    out.I32(page.Rows);
    out.String(name);
}

void WriteLayerBlock(CByteWriter& out, const CLayerData& layer, int position, int columns,
                     int rows)
{
    if (layer.SaveType == 0 || !layer.Cells)
        return;
    // A grid that does not hold the map's cells cannot be written faithfully.
    if (layer.Cells->size() != static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows))
        return;
    const ValidRange range = FindValidRange(layer, columns, rows);
    if (range.Count == 0)
        return;
    const int width = CellWidth(layer.DataSize);
    out.I32(position);
    out.I32(layer.ChipPage);
    out.I32(layer.SaveType);
    out.I32(width);

    // The cells are the bulk of the file: sized once, then written byte by byte in place.
    const CellGrid& cells = *layer.Cells;
    std::string& bytes = out.Bytes();
    const auto grow = [&bytes](std::size_t n) {
        const std::size_t at = bytes.size();
        bytes.resize(at + n);
        return bytes.data() + at;
    };
    const auto put = [width](char*& p, int16_t cell) {
        const uint16_t v = static_cast<uint16_t>(cell);
        if (width >= 1)
            *p++ = static_cast<char>(v & 0xFF);
        if (width >= 2)
            *p++ = static_cast<char>(v >> 8);
    };
    const auto put16 = [](char*& p, int value) {  // a column or row: always an i16
        const uint16_t v = static_cast<uint16_t>(value);
        *p++ = static_cast<char>(v & 0xFF);
        *p++ = static_cast<char>(v >> 8);
    };
    const std::size_t w = static_cast<std::size_t>(width);
    if (layer.SaveType == 1) {
        out.I32(range.Left);
        out.I32(range.Top);
        out.I32(range.Right);
        out.I32(range.Bottom);
        const std::size_t across = static_cast<std::size_t>(range.Right - range.Left + 1);
        const std::size_t down = static_cast<std::size_t>(range.Bottom - range.Top + 1);
        char* p = grow(across * down * w);
        for (int row = range.Top; row <= range.Bottom; ++row) {
            const int16_t* line = cells.data() + static_cast<std::size_t>(row) * columns;
            for (int column = range.Left; column <= range.Right; ++column)
                put(p, line[column]);
        }
    } else if (layer.SaveType == 2) {
        char* p = grow(cells.size() * w);
        for (int16_t cell : cells)
            put(p, cell);
    } else {
        out.I32(range.Count);
        char* p = grow(static_cast<std::size_t>(range.Count) * (4 + w));
        for (int row = 0; row < rows; ++row) {
            const int16_t* line = cells.data() + static_cast<std::size_t>(row) * columns;
            for (int column = 0; column < columns; ++column) {
                if (line[column] == -1)
                    continue;
                put16(p, column);
                put16(p, row);
                put(p, line[column]);
            }
        }
    }
}

void WriteEventEntry(CByteWriter& out, const CEventData& event, int mapNameMethod,
                     bool withRemark)
{
    out.I32(event.Type);
    out.I32(event.Rect.Left);
    out.I32(event.Rect.Top);
    out.I32(event.Rect.Right);
    out.I32(event.Rect.Bottom);
    out.String(GetEventMapName(event.Map, mapNameMethod));
    out.I32(event.Pos.X);
    out.I32(event.Pos.Y);
    out.I32(event.Option[0]);
    out.I32(event.Option[1]);
    if (withRemark)
        out.String(event.Rem);
}

std::string BuildBinaryMap(const CQuelpDoc& doc)
{
    std::string bytes;
    CByteWriter out(bytes);
    out.I32(ChipWidth);
    out.I32(ChipHeight);
    out.I32(doc.Columns);
    out.I32(doc.Rows);
    out.String(doc.TextOption);
    for (int value : doc.IntOptions)
        out.I32(value);
    for (const CChipPage& page : doc.ChipPages)
        WriteChipPageEntry(out, page);
    for (int position = 0; position < kLayerCount; ++position)
        WriteLayerBlock(out, doc.Layers[static_cast<std::size_t>(position)], position,
                        doc.Columns, doc.Rows);
    if (doc.SaveEvent) {
        out.I32(8);
        out.I32(doc.SaveEventRem);
        out.I32(doc.Events.GetCount());
        for (const CEventData& event : doc.Events)
            WriteEventEntry(out, event, doc.SaveEventMap, doc.SaveEventRem != 0);
    }
    if (doc.SaveText) {
        out.I32(9);
        out.I32(doc.Texts.GetCount());
        for (const CMemo& memo : doc.Texts) {
            out.I32(memo.Rect.Left);
            out.I32(memo.Rect.Top);
            out.I32(memo.Rect.Right);
            out.I32(memo.Rect.Bottom);
            out.I32(memo.Size);
            out.U32(memo.Color);
            out.String(memo.Text);
        }
    }
    out.I32(-1);
    return bytes;
}

bool WriteBinaryMap(const std::string& pathCp932, const CQuelpDoc& doc, std::string* error)
{
    const std::string bytes = BuildBinaryMap(doc);
    const std::string local = LocalPathFromCp932(pathCp932);
    std::string reason;
    if (!WriteFileAtomically(local, bytes, reason)) {
        if (error)
            *error = local + ": " + reason;
        return false;
    }
    return true;
}
