#include "mapfilewriter.h"

#include "core/chipsize.h"
#include "core/quelpdoc.h"
#include "core/updatehint.h"
#include "mapfile/mappaths.h"

#include <charconv>
#include <string_view>
#include <vector>

namespace {

class LineOut {
public:
    explicit LineOut(std::string& out) : out_(out) {}
    LineOut& operator<<(std::string_view text)
    {
        out_.append(text);
        return *this;
    }
    LineOut& operator<<(const std::string& text)
    {
        out_.append(text);
        return *this;
    }
    LineOut& operator<<(const char* text)
    {
        out_.append(text);
        return *this;
    }
    LineOut& operator<<(int value)
    {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        out_.append(buffer, result.ptr);
        return *this;
    }

private:
    std::string& out_;
};

int Red(uint32_t color) { return static_cast<int>(color & 0xFF); }
int Green(uint32_t color) { return static_cast<int>((color >> 8) & 0xFF); }
int Blue(uint32_t color) { return static_cast<int>((color >> 16) & 0xFF); }

bool HasAnyChip(const CLayerData& layer)
{
    if (!layer.Cells)
        return false;
    for (int16_t cell : *layer.Cells)
        if (cell != -1)
            return true;
    return false;
}

void WriteProperties(const CQuelpDoc& doc, LineOut& out)
{
    out << "<property>\r\n";
    out << "\tChipSize = " << ChipWidth << "," << ChipHeight << "\r\n";
    out << "\tMapSize = " << doc.Columns << "," << doc.Rows << "\r\n";
    out << "\tFontSize = " << doc.FontSize << "\r\n";
    out << "\tFontColor = " << Red(doc.TextColor) << "," << Green(doc.TextColor) << ","
        << Blue(doc.TextColor) << "\r\n";
    out << "\tViewText = " << doc.ViewText << "\r\n";
    out << "\tSaveText = " << doc.SaveText << "\r\n";
    out << "\tViewEvent = " << doc.ViewEvent << "\r\n";
    out << "\tSaveEvent = " << doc.SaveEvent << "\r\n";
    out << "\tSaveEventMap = " << doc.SaveEventMap << "\r\n";
    out << "\tSaveEventRem = " << doc.SaveEventRem << "\r\n";
    out << "\tTextOption = " << doc.TextOption << "\r\n";
    out << "\tIntOptions = " << doc.IntOptions[0] << "," << doc.IntOptions[1] << ","
        << doc.IntOptions[2] << "," << doc.IntOptions[3] << "\r\n";
    out << "</property>\r\n";
}

void WriteMapPage(const CQuelpDoc& doc, int position, std::string& bytes)
{
    LineOut out(bytes);
    const CLayerData& layer = doc.Layers[static_cast<std::size_t>(position)];
    out << "<map page=" << position << ">\r\n";
    out << "\tName = " << layer.Name << "\r\n";
    out << "\tChipPage = " << layer.ChipPage << "\r\n";
    out << "\tView = " << layer.View << "\r\n";
    out << "\tSaveType = " << layer.SaveType << "\r\n";
    out << "\tDataSize = " << layer.DataSize << "\r\n";
    if (HasAnyChip(layer)) {
        out << "\t<data>\r\n";
        const CellGrid& cells = *layer.Cells;
        const std::size_t columns = static_cast<std::size_t>(doc.Columns);
        // Each row is formatted in one buffer (at most 7 bytes a value: "-32768,") and appended
        // whole; the caller reserved the text of every block.
        std::vector<char> rowText(columns * 7 + 4);
        for (std::size_t row = 0; row < static_cast<std::size_t>(doc.Rows); ++row) {
            char* end = rowText.data();
            *end++ = '\t';
            *end++ = '\t';
            const int16_t* cell = cells.data() + row * columns;
            for (std::size_t c = 0; c < columns; ++c) {
                if (c > 0)
                    *end++ = ',';
                end = std::to_chars(end, end + 6, int{cell[c]}).ptr;
            }
            *end++ = '\r';
            *end++ = '\n';
            bytes.append(rowText.data(), end);
        }
        out << "\t</data>\r\n";
    }
    out << "</map>\r\n";
}

}  // namespace

void WriteMapFile(CQuelpDoc& doc, std::string& bytes, const std::string& folder)
{
    doc.DropSelection();
    doc.DiscardTypedText();
    WriteMapFileText(doc, bytes, folder);
}

void WriteMapFileText(const CQuelpDoc& doc, std::string& bytes, const std::string& folder)
{
    // Reserved once: growing block by block copied the text written so far for every layer.
    std::size_t estimate =
        4096 + static_cast<std::size_t>(doc.Events.GetCount() + doc.Texts.GetCount()) * 512;
    for (const CLayerData& layer : doc.Layers) {
        if (layer.Cells)
            estimate += layer.Cells->size() * 7 + static_cast<std::size_t>(doc.Rows) * 4;
    }
    bytes.reserve(bytes.size() + estimate);
    LineOut out(bytes);
    WriteProperties(doc, out);

    for (int page = 0; page < kChipPageCount; ++page) {
        const CChipPage& chips = doc.ChipPages[static_cast<std::size_t>(page)];
        // A sheet that could not be read keeps its path: the map still names it.
        if (chips.FilePath.empty())
            continue;
        out << "<chip page=" << page << ">\r\n";
        out << "\tFilePath = " << ToStoredPath(chips.FilePath, folder) << "\r\n";
        out << "</chip>\r\n";
    }

    for (int position = 0; position < kLayerCount; ++position)
        WriteMapPage(doc, position, bytes);

    out << "<event>\r\n";
    for (const CEventData& event : doc.Events) {
        out << "\t<data>\r\n";
        out << "\t\tType = " << event.Type << "\r\n";
        out << "\t\tRect = " << event.Rect.Left << "," << event.Rect.Top << "," << event.Rect.Right
            << "," << event.Rect.Bottom << "\r\n";
        out << "\t\tMap = " << ToStoredPath(event.Map, folder) << "\r\n";
        out << "\t\tPos = " << event.Pos.X << "," << event.Pos.Y << "\r\n";
        out << "\t\tOption = " << event.Option[0] << "," << event.Option[1] << "\r\n";
        out << "\t\tRem = " << event.Rem << "\r\n";
        out << "\t</data>\r\n";
    }
    out << "</event>\r\n";

    out << "<text>\r\n";
    for (const CMemo& memo : doc.Texts) {
        out << "\t<data>\r\n";
        out << "\t\tText = " << memo.Text << "\r\n";
        out << "\t\tRect = " << memo.Rect.Left << "," << memo.Rect.Top << "," << memo.Rect.Right
            << "," << memo.Rect.Bottom << "\r\n";
        out << "\t\tSize = " << memo.Size << "\r\n";
        out << "\t\tColor = " << Red(memo.Color) << "," << Green(memo.Color) << ","
            << Blue(memo.Color) << "\r\n";
        out << "\t</data>\r\n";
    }
    out << "</text>\r\n";
}
