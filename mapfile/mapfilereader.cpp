#include "mapfilereader.h"

#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/decimal.h"
#include "core/quelpdoc.h"
#include "mapfile/linepatterns.h"
#include "mapfile/linereader.h"
#include "mapfile/mapfilewriter.h"
#include "mapfile/mappaths.h"
#include "render/chippages.h"

#include <algorithm>
#include <climits>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

using L = MapLine;

namespace {

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

int Number(std::string_view group)
{
    return DecimalPrefix(group);
}

uint32_t ColorFromGroups(const LineGroups& g)
{
    const auto byte = [](std::string_view text) {
        return static_cast<uint32_t>(Number(text)) % 256u;
    };
    return byte(g[0]) + byte(g[1]) * 256u + byte(g[2]) * 65536u;
}

enum class BlockOpening { None, Property, Event, Text, ChipPage, MapPage };

// The block a line outside any block opens; the page tags leave their number in groups[0].
BlockOpening OpeningOf(std::string_view line, LineGroups& groups)
{
    if (MatchLine(L::PropertyOpen, line, groups))
        return BlockOpening::Property;
    if (MatchLine(L::EventOpen, line, groups))
        return BlockOpening::Event;
    if (MatchLine(L::TextOpen, line, groups))
        return BlockOpening::Text;
    if (MatchLine(L::ChipPageTag, line, groups))
        return BlockOpening::ChipPage;
    if (MatchLine(L::MapPageTag, line, groups))
        return BlockOpening::MapPage;
    return BlockOpening::None;
}

// A chip sheet to load once reading is over. Each load replaces the slot whole, so only the
// last path a slot was given matters, with the chip size in force at that line.
struct PendingSheet {
    std::string Path;
    int ChipWidth = 0;
    int ChipHeight = 0;
};

class CMapFileReader {
public:
    CMapFileReader(CQuelpDoc& doc, std::string_view bytes, const std::string& folder)
        : doc_(doc), lines_(bytes), folder_(folder)
    {
    }

    MapReadStats Run()
    {
        ResetForLoad();
        ReadOutside();
        LoadSheets();
        AfterLoad();
        return stats_;
    }

private:
    void ResetForLoad();
    void ReadOutside();
    void ReadProperty(std::string_view line);
    void ReadChipRecord(int page);
    void ReadMapRecord(int position);
    void ReadEventRecord();
    void ReadTextRecord();
    void LoadSheets();
    void AfterLoad();

    // A chip sheet's placeholder stays text without a folder; an event's goes either way.
    std::string FromFolder(std::string_view stored, bool always) const
    {
        std::string path(stored);
        return always || !folder_.empty() ? FromStoredPath(path, folder_) : path;
    }

    CQuelpDoc& doc_;
    CArchiveLines lines_;
    const std::string& folder_;
    MapReadStats stats_;
    std::array<std::optional<PendingSheet>, kChipPageCount> sheets_;
};

void CMapFileReader::ResetForLoad()
{
    doc_.Texts.RemoveAll();
    doc_.Events.RemoveAll();
    doc_.LoadDefaultSettings();
    doc_.ViewText = 1;
    doc_.ViewEvent = 0;
    doc_.SelectedLayerOnly = 0;
    doc_.TextOption.clear();
    for (int& option : doc_.IntOptions)
        option = 0;
    doc_.TypedText.clear();
    doc_.TypePos = {0, 0};
    doc_.PendingLead = 0;
    for (int i = 0; i < kLayerCount; ++i) {
        CLayerData& layer = doc_.Layers[static_cast<std::size_t>(i)];
        layer.Reset(i);
        char name[16];
        std::snprintf(name, sizeof name, "LAY%01d", i);
        layer.Name = name;
        doc_.ClearChipPage(i);
    }
}

void CMapFileReader::ReadOutside()
{
    std::string_view line;
    LineGroups g;
    enum class State { Outside, Property, Event, Text } state = State::Outside;
    while (lines_.Next(line)) {
        switch (state) {
        case State::Outside:
            switch (OpeningOf(line, g)) {
            case BlockOpening::Property:
                state = State::Property;
                ++stats_.Blocks;
                break;
            case BlockOpening::Event:
                state = State::Event;
                ++stats_.Blocks;
                break;
            case BlockOpening::Text:
                state = State::Text;
                ++stats_.Blocks;
                break;
            case BlockOpening::ChipPage:
                ++stats_.Blocks;
                ReadChipRecord(Number(g[0]));
                break;
            case BlockOpening::MapPage:
                ++stats_.Blocks;
                ReadMapRecord(Number(g[0]));
                break;
            case BlockOpening::None:
                break;
            }
            break;
        case State::Property:
            if (MatchLine(L::PropertyClose, line, g))
                state = State::Outside;
            else
                ReadProperty(line);
            break;
        case State::Event:
            if (MatchLine(L::EventClose, line, g))
                state = State::Outside;
            else if (MatchLine(L::DataOpen, line, g))
                ReadEventRecord();
            break;
        case State::Text:
            if (MatchLine(L::TextClose, line, g))
                state = State::Outside;
            else if (MatchLine(L::DataOpen, line, g))
                ReadTextRecord();
            break;
        }
    }
}

void CMapFileReader::ReadProperty(std::string_view line)
{
    LineGroups g;
    if (MatchLine(L::ChipSize, line, g)) {
        const int width = Number(g[0]);
        const int height = Number(g[1]);
        if (InRange(width, 1, 1024) && InRange(height, 1, 1024)) {
            ChipWidth = width;
            ChipHeight = height;
        }
    } else if (MatchLine(L::MapSize, line, g)) {
        const int columns = Number(g[0]);
        const int rows = Number(g[1]);
        // Grids already read hold the size in force at their data line; a later size would
        // no longer describe them.
        if (InRange(columns, 1, 512) && InRange(rows, 1, 512) && !doc_.AnyLayerHasGrid()) {
            doc_.Columns = columns;
            doc_.Rows = rows;
        }
    } else if (MatchLine(L::FontSize, line, g)) {
        doc_.FontSize = Number(g[0]);
    } else if (MatchLine(L::FontColor, line, g)) {
        doc_.TextColor = ColorFromGroups(g);
    } else if (MatchLine(L::ViewText, line, g)) {
        doc_.ViewText = Number(g[0]);
    } else if (MatchLine(L::SaveText, line, g)) {
        doc_.SaveText = Number(g[0]);
    } else if (MatchLine(L::ViewEvent, line, g)) {
        doc_.ViewEvent = Number(g[0]);
    } else if (MatchLine(L::SaveEvent, line, g)) {
        doc_.SaveEvent = Number(g[0]);
    } else if (MatchLine(L::SaveEventMap, line, g)) {
        doc_.SaveEventMap = Number(g[0]);
    } else if (MatchLine(L::SaveEventRem, line, g)) {
        doc_.SaveEventRem = Number(g[0]);
    } else if (MatchLine(L::TextOption, line, g)) {
        doc_.TextOption.assign(g[0]);
    } else if (MatchLine(L::IntOptions, line, g)) {
        for (std::size_t i = 0; i < 4; ++i)
            doc_.IntOptions[i] = Number(g[i]);
    }
}

void CMapFileReader::ReadChipRecord(int page)
{
    std::string_view line;
    LineGroups g;
    while (lines_.Next(line)) {
        if (MatchLine(L::ChipClose, line, g))
            break;
        if (MatchLine(L::FilePath, line, g) && InRange(page, 0, kChipPageCount - 1))
            sheets_[static_cast<std::size_t>(page)] =
                PendingSheet{FromFolder(g[0], false), ChipWidth, ChipHeight};
    }
}

// The cells of one data line: pieces between commas (on character boundaries), each read as a
// decimal number (leading blanks, a sign, digits up to the first other character, clamped to
// the int range as DecimalPrefix does) and kept in its low 16 bits, stored in row-major order.
// One pass over the line: this is where a big map spends its load.
void StoreCells(std::string_view line, CellGrid& cells, std::size_t& next)
{
    constexpr long long kClamp = static_cast<long long>(INT_MAX) + 1;
    const std::size_t size = line.size();
    std::size_t i = 0;
    while (next < cells.size()) {
        while (i < size && (line[i] == ' ' || (line[i] >= '\t' && line[i] <= '\r')))
            ++i;
        bool negative = false;
        if (i < size && (line[i] == '+' || line[i] == '-'))
            negative = line[i++] == '-';
        long long value = 0;
        for (; i < size && line[i] >= '0' && line[i] <= '9'; ++i)
            value = std::min(value * 10 + (line[i] - '0'), kClamp);
        if (negative)
            value = -value;
        value = std::clamp<long long>(value, INT_MIN, INT_MAX);
        cells[next++] = static_cast<int16_t>(static_cast<uint16_t>(static_cast<int>(value)));
        // The rest of the piece up to its comma; blanks, signs and digits are never lead bytes,
        // so the character boundaries are those of a scan from the piece's start.
        while (i < size && line[i] != ',')
            i += IsCp932LeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
        if (i >= size)
            return;
        ++i;  // surplus values of a full grid are dropped unread
    }
}

void CMapFileReader::ReadMapRecord(int position)
{
    // A block for a position that does not exist is read into a scratch record and dropped.
    CLayerData scratch;
    const bool valid = InRange(position, 0, kLayerCount - 1);
    CLayerData& layer = valid ? doc_.Layers[static_cast<std::size_t>(position)] : scratch;
    layer.Reset(position);

    bool inRows = false;
    std::size_t next = 0;
    std::string_view line;
    LineGroups g;
    while (lines_.Next(line)) {
        if (MatchLine(L::MapClose, line, g))
            break;
        if (inRows) {
            if (MatchLine(L::DataClose, line, g))
                inRows = false;
            else if (valid)
                StoreCells(line, *layer.Cells, next);
        } else if (MatchLine(L::DataOpen, line, g)) {
            if (valid)
                layer.Cells.emplace(static_cast<std::size_t>(doc_.Columns) *
                                        static_cast<std::size_t>(doc_.Rows),
                                    int16_t{-1});
            next = 0;
            inRows = true;
        } else if (MatchLine(L::Name, line, g)) {
            layer.Name.assign(g[0]);
        } else if (MatchLine(L::ChipPage, line, g)) {
            const int page = Number(g[0]);
            if (InRange(page, 0, kChipPageCount - 1))
                layer.ChipPage = page;
        } else if (MatchLine(L::View, line, g)) {
            layer.View = Number(g[0]);
        } else if (MatchLine(L::SaveType, line, g)) {
            layer.SaveType = Number(g[0]);
        } else if (MatchLine(L::DataSize, line, g)) {
            layer.DataSize = Number(g[0]);
        }
    }
}

void CMapFileReader::ReadEventRecord()
{
    CEventData event;
    std::string_view line;
    LineGroups g;
    while (lines_.Next(line)) {
        if (MatchLine(L::DataClose, line, g))
            break;
        if (MatchLine(L::EventType, line, g)) {
            event.Type = Number(g[0]);
        } else if (MatchLine(L::Rect, line, g)) {
            event.Rect = {Number(g[0]), Number(g[1]), Number(g[2]), Number(g[3])};
        } else if (MatchLine(L::Map, line, g)) {
            event.Map = ResolveStoredPath(FromFolder(g[0], true));
        } else if (MatchLine(L::Pos, line, g)) {
            event.Pos = {Number(g[0]), Number(g[1])};
        } else if (MatchLine(L::Option, line, g)) {
            event.Option[0] = Number(g[0]);
            event.Option[1] = Number(g[1]);
        } else if (MatchLine(L::Rem, line, g)) {
            event.Rem.assign(g[0]);
        }
    }
    doc_.Events.Append(event);
}

void CMapFileReader::ReadTextRecord()
{
    CMemo memo;
    std::string_view line;
    LineGroups g;
    while (lines_.Next(line)) {
        if (MatchLine(L::DataClose, line, g))
            break;
        if (MatchLine(L::Text, line, g)) {
            memo.Text.assign(g[0]);
        } else if (MatchLine(L::Rect, line, g)) {
            memo.Rect = {Number(g[0]), Number(g[1]), Number(g[2]), Number(g[3])};
        } else if (MatchLine(L::Size, line, g)) {
            memo.Size = Number(g[0]);
        } else if (MatchLine(L::Color, line, g)) {
            memo.Color = ColorFromGroups(g);
        }
    }
    doc_.Texts.Append(memo);
}

void CMapFileReader::LoadSheets()
{
    for (int page = 0; page < kChipPageCount; ++page) {
        const std::optional<PendingSheet>& sheet = sheets_[static_cast<std::size_t>(page)];
        if (!sheet)
            continue;
        int width = sheet->ChipWidth;
        int height = sheet->ChipHeight;
        // A sheet that cannot be read (a drive not mounted yet) keeps its path, so the next
        // save still names it; the caller tells the user.
        const std::string path = ResolveStoredPath(sheet->Path);
        std::string reason;
        if (!LoadStoredChipPage(doc_.ChipPages[static_cast<std::size_t>(page)], path, width,
                                height, reason))
            stats_.UnreadSheets.push_back(UnreadSheet{page, path, reason});
    }
}

void CMapFileReader::AfterLoad()
{
    for (CLayerData& layer : doc_.Layers) {
        const CChipPage& page = doc_.ChipPages[static_cast<std::size_t>(layer.ChipPage)];
        if (layer.SaveType != 0 && layer.DataSize != 1 && page.ChipCount() > 256)
            layer.DataSize = 2;
    }
    doc_.Zoom = 4;
    doc_.Grid = 1;
    doc_.EditMode = 0;
    doc_.DropSelection();
    doc_.ClearUndo();
    doc_.ButtonDown = 0;
    doc_.UpdateAllViews(nullptr, 0x17);
}

}  // namespace

bool HoldsMapBlock(std::string_view bytes)
{
    CArchiveLines lines(bytes);
    std::string_view line;
    LineGroups groups;
    while (lines.Next(line)) {
        if (OpeningOf(line, groups) != BlockOpening::None)
            return true;
    }
    return false;
}

MapReadStats ReadMapFile(CQuelpDoc& doc, std::string_view bytes, const std::string& folder)
{
    return CMapFileReader(doc, bytes, folder).Run();
}
