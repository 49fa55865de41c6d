#include "mpbtestutil.h"

#include "core/chipsize.h"
#include "core/quelpdoc.h"
#include "export/binarymap.h"
#include "mapfile/ptnmatch.h"

#include <gtest/gtest.h>
#include <vector>

LoadedMap::LoadedMap(const std::string& bytes, const quelp_mpb_options* options)
{
    const std::vector<unsigned char> exact(bytes.begin(), bytes.end());
    Error = quelp_mpb_load(exact.data(), exact.size(), options, &Map);
}

std::string AsString(const quelp_mpb_string& s)
{
    return s.bytes ? std::string(s.bytes, s.length) : std::string();
}

namespace {

void ExpectLayer(const quelp_mpb_map& map, const CQuelpDoc& doc, int position)
{
    SCOPED_TRACE("layer " + std::to_string(position));
    const CLayerData& layer = doc.Layers[static_cast<std::size_t>(position)];
    const quelp_mpb_layer& got = map.layers[position];
    const ValidRange range = FindValidRange(layer, doc.Columns, doc.Rows);
    const bool written = layer.SaveType != 0 && layer.HasGrid() && range.Count > 0;
    ASSERT_EQ(got.present != 0, written);
    if (!written)
        return;
    const int width = CellWidth(layer.DataSize);
    EXPECT_EQ(got.chip_page, layer.ChipPage);
    EXPECT_EQ(got.save_type, layer.SaveType);
    EXPECT_EQ(got.data_size, width);
    if (layer.SaveType == 1) {
        EXPECT_EQ(got.left, range.Left);
        EXPECT_EQ(got.top, range.Top);
        EXPECT_EQ(got.right, range.Right);
        EXPECT_EQ(got.bottom, range.Bottom);
    } else if (layer.SaveType != 2) {
        EXPECT_EQ(got.listed, range.Count);
    }
    if (width == 0) {
        EXPECT_EQ(got.cells, nullptr);
        return;
    }
    ASSERT_NE(got.cells, nullptr);
    int wrong = 0;
    for (int row = 0; row < doc.Rows; ++row)
        for (int column = 0; column < doc.Columns; ++column) {
            const uint16_t cell =
                static_cast<uint16_t>((*layer.Cells)[static_cast<std::size_t>(row) * doc.Columns +
                                                     column]);
            // One byte keeps the low byte only; an empty cell then reads 0xFF.
            const uint16_t expected = width == 1 ? (cell & 0xFF) : cell;
            if (quelp_mpb_cell(&map, position, column, row) != expected && ++wrong <= 3)
                ADD_FAILURE() << "cell " << column << "," << row << ": expected " << expected;
        }
    EXPECT_EQ(wrong, 0);
}

}  // namespace

void ExpectMatchesDocument(const quelp_mpb_map& map, const CQuelpDoc& doc)
{
    EXPECT_EQ(map.chip_width, ChipWidth);
    EXPECT_EQ(map.chip_height, ChipHeight);
    ASSERT_EQ(map.columns, doc.Columns);
    ASSERT_EQ(map.rows, doc.Rows);
    EXPECT_EQ(AsString(map.text_attribute), doc.TextOption);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(map.attributes[i], doc.IntOptions[i]);
    for (int i = 0; i < kChipPageCount; ++i) {
        const CChipPage& page = doc.ChipPages[static_cast<std::size_t>(i)];
        std::string folder, name;
        if (page.InUse())
            CPtnMatch::SplitPath(folder, name, page.FilePath);
        EXPECT_EQ(map.pages[i].columns, page.InUse() ? page.Columns : 0) << "page " << i;
        EXPECT_EQ(map.pages[i].rows, page.InUse() ? page.Rows : 0) << "page " << i;
        EXPECT_EQ(AsString(map.pages[i].image), name) << "page " << i;
    }
    for (int position = 0; position < kLayerCount; ++position)
        ExpectLayer(map, doc, position);

    ASSERT_EQ(map.has_events != 0, doc.SaveEvent != 0);
    if (doc.SaveEvent) {
        EXPECT_EQ(map.remark_flag, doc.SaveEventRem);
        ASSERT_EQ(map.event_count, static_cast<std::size_t>(doc.Events.GetCount()));
        std::size_t i = 0;
        for (const CEventData& event : doc.Events) {
            SCOPED_TRACE("event " + std::to_string(i));
            const quelp_mpb_event& got = map.events[i++];
            EXPECT_EQ(got.number, event.Type);
            EXPECT_EQ(got.left, event.Rect.Left);
            EXPECT_EQ(got.top, event.Rect.Top);
            EXPECT_EQ(got.right, event.Rect.Right);
            EXPECT_EQ(got.bottom, event.Rect.Bottom);
            EXPECT_EQ(AsString(got.map), GetEventMapName(event.Map, doc.SaveEventMap));
            EXPECT_EQ(got.x, event.Pos.X);
            EXPECT_EQ(got.y, event.Pos.Y);
            EXPECT_EQ(got.option1, event.Option[0]);
            EXPECT_EQ(got.option2, event.Option[1]);
            EXPECT_EQ(AsString(got.remark), doc.SaveEventRem ? event.Rem : std::string());
        }
    }
    ASSERT_EQ(map.has_texts != 0, doc.SaveText != 0);
    if (doc.SaveText) {
        ASSERT_EQ(map.text_count, static_cast<std::size_t>(doc.Texts.GetCount()));
        std::size_t i = 0;
        for (const CMemo& memo : doc.Texts) {
            SCOPED_TRACE("text " + std::to_string(i));
            const quelp_mpb_text& got = map.texts[i++];
            EXPECT_EQ(got.left, memo.Rect.Left);
            EXPECT_EQ(got.top, memo.Rect.Top);
            EXPECT_EQ(got.right, memo.Rect.Right);
            EXPECT_EQ(got.bottom, memo.Rect.Bottom);
            EXPECT_EQ(got.font_size, memo.Size);
            EXPECT_EQ(got.color, memo.Color);
            EXPECT_EQ(AsString(got.text), memo.Text);
        }
    }
}
