// The loader reads back what the program's own binary export writes: the worked example byte by
// byte, the example town, and random maps of every save type and data size.
#include "mpbtestutil.h"

#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "export/binarymap.h"
#include "mapfile/mapdocumentfile.h"
#include "support/fakeuiport.h"

#include <QImage>
#include <gtest/gtest.h>
#include <random>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

std::string I32(int32_t v)
{
    const uint32_t u = static_cast<uint32_t>(v);
    return Bytes({static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF),
                  static_cast<int>((u >> 16) & 0xFF), static_cast<int>(u >> 24)});
}

// The worked example as its bytes: 50 x 50, chips of 16 x 16, tiles.png (8 x 4 chips) on page
// 0, chip 5 at column 1, row 0 of layer 0 saved as coordinates with one byte, no events.
std::string WorkedHeader()
{
    std::string b = I32(16) + I32(16) + I32(50) + I32(50) + I32(0) + std::string(16, '\0');
    b += I32(8) + I32(4) + I32(9) + "tiles.png" + std::string(7 * 12, '\0');
    return b;
}
const std::string kEventsAndEnd = I32(8) + I32(0) + I32(0) + I32(-1);

TEST(LoaderWorkedExample, The182Bytes)
{
    const std::string bytes = WorkedHeader() + I32(0) + I32(0) + I32(3) + I32(1) + I32(1) +
                              Bytes({1, 0, 0, 0, 5}) + kEventsAndEnd;
    ASSERT_EQ(bytes.size(), 182u);
    LoadedMap loaded(bytes);
    ASSERT_EQ(loaded.Error, QUELP_MPB_OK) << quelp_mpb_error_string(loaded.Error);
    const quelp_mpb_map& map = loaded.Map;
    EXPECT_EQ(map.chip_width, 16);
    EXPECT_EQ(map.chip_height, 16);
    EXPECT_EQ(map.columns, 50);
    EXPECT_EQ(map.rows, 50);
    EXPECT_EQ(map.text_attribute.length, 0u);
    EXPECT_EQ(map.pages[0].columns, 8);
    EXPECT_EQ(map.pages[0].rows, 4);
    EXPECT_EQ(AsString(map.pages[0].image), "tiles.png");
    for (int i = 1; i < QUELP_MPB_PAGES; ++i)
        EXPECT_EQ(map.pages[i].columns + map.pages[i].rows + int(map.pages[i].image.length), 0);
    const quelp_mpb_layer& layer = map.layers[0];
    ASSERT_TRUE(layer.present);
    EXPECT_EQ(layer.chip_page, 0);
    EXPECT_EQ(layer.save_type, 3);
    EXPECT_EQ(layer.data_size, 1);
    EXPECT_EQ(layer.listed, 1);
    EXPECT_EQ(layer.empty, 0xFF);
    EXPECT_EQ(quelp_mpb_cell(&map, 0, 1, 0), 5);
    EXPECT_EQ(quelp_mpb_cell(&map, 0, 0, 0), 0xFF);
    EXPECT_EQ(quelp_mpb_cell(&map, 0, 49, 49), 0xFF);
    for (int i = 1; i < QUELP_MPB_LAYERS; ++i)
        EXPECT_FALSE(map.layers[i].present) << i;
    EXPECT_TRUE(map.has_events);
    EXPECT_EQ(map.remark_flag, 0);
    EXPECT_EQ(map.event_count, 0u);
    EXPECT_FALSE(map.has_texts);
}

TEST(LoaderWorkedExample, ValidRangeWithTwoBytes)
{
    const std::string bytes = WorkedHeader() + I32(0) + I32(0) + I32(1) + I32(2) + I32(1) +
                              I32(0) + I32(2) + I32(1) +
                              Bytes({5, 0, 0xFF, 0xFF, 0xFF, 0xFF, 7, 0}) + kEventsAndEnd;
    LoadedMap loaded(bytes);
    ASSERT_EQ(loaded.Error, QUELP_MPB_OK) << quelp_mpb_error_string(loaded.Error);
    const quelp_mpb_layer& layer = loaded.Map.layers[0];
    EXPECT_EQ(layer.save_type, 1);
    EXPECT_EQ(layer.data_size, 2);
    EXPECT_EQ(layer.empty, 0xFFFF);
    EXPECT_EQ(layer.left, 1);
    EXPECT_EQ(layer.top, 0);
    EXPECT_EQ(layer.right, 2);
    EXPECT_EQ(layer.bottom, 1);
    const struct {
        int Column, Row, Value;
    } cells[] = {{1, 0, 5}, {2, 0, 0xFFFF}, {1, 1, 0xFFFF}, {2, 1, 7}, {0, 0, 0xFFFF},
                 {3, 1, 0xFFFF}, {49, 49, 0xFFFF}, {50, 0, 0xFFFF}, {-1, 0, 0xFFFF}};
    for (const auto& c : cells)
        EXPECT_EQ(quelp_mpb_cell(&loaded.Map, 0, c.Column, c.Row), c.Value)
            << c.Column << "," << c.Row;
    EXPECT_EQ(loaded.Map.layers[0].cells[50 + 2], 7);
    EXPECT_EQ(quelp_mpb_cell(&loaded.Map, 1, 0, 0), 0xFFFF);  // absent layer
    EXPECT_EQ(quelp_mpb_cell(&loaded.Map, 8, 1, 0), 0xFFFF);  // no such layer
    EXPECT_EQ(quelp_mpb_cell(nullptr, 0, 1, 0), 0xFFFF);
}

TEST(LoaderExport, TheExampleTownInEverySetting)
{
    Doc doc;
    std::string error;
    ASSERT_TRUE(LoadMapFile(doc.D, std::string(QUELP_SOURCE_DIR) + "/examples/town/town.mpx",
                            error))
        << error;
    ASSERT_TRUE(doc.D.Layers[2].HasGrid());
    struct Setting {
        int SaveEvent, SaveEventRem, SaveEventMap, SaveText;
    };
    const Setting settings[] = {
        {1, 0, 0, 0}, {1, 1, 1, 1}, {1, 1, 2, 0}, {0, 0, 0, 1}, {0, 1, 0, 0}, {1, 0, 3, 1}};
    for (const Setting& s : settings) {
        SCOPED_TRACE(testing::Message() << s.SaveEvent << s.SaveEventRem << s.SaveEventMap
                                        << s.SaveText);
        doc.D.SaveEvent = s.SaveEvent;
        doc.D.SaveEventRem = s.SaveEventRem;
        doc.D.SaveEventMap = s.SaveEventMap;
        doc.D.SaveText = s.SaveText;
        LoadedMap loaded(BuildBinaryMap(doc.D));
        ASSERT_EQ(loaded.Error, QUELP_MPB_OK) << quelp_mpb_error_string(loaded.Error);
        ExpectMatchesDocument(loaded.Map, doc.D);
    }
    EXPECT_EQ(doc.D.Events.GetCount(), 4);
    EXPECT_EQ(doc.D.Texts.GetCount(), 4);
}

// A random CP932-ish string: ASCII, double-byte pairs, the odd 0 byte.
std::string RandomString(std::mt19937& rng, int longest)
{
    std::string s(std::uniform_int_distribution<int>(0, longest)(rng), '\0');
    for (char& c : s)
        c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
    return s;
}

void Randomise(CQuelpDoc& doc, std::mt19937& rng, int largest)
{
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    doc.Columns = pick(1, largest);
    doc.Rows = pick(1, largest);
    doc.TextOption = RandomString(rng, 12);
    for (int& v : doc.IntOptions)
        v = pick(-100000, 100000);
    for (CChipPage& page : doc.ChipPages) {
        page = CChipPage();
        if (pick(0, 2) == 0)
            continue;
        page.Image.Pixels = QImage(8, 8, QImage::Format_RGB32);
        page.FilePath = "C:\\sheets\\" + std::to_string(pick(0, 99)) + ".png";
        page.Columns = pick(1, 64);
        page.Rows = pick(0, 64);
    }
    const int saveTypes[] = {0, 1, 2, 3, 1, 2, 3, 7, -2};
    const int dataSizes[] = {1, 2, 1, 2, 0, 5};
    const double densities[] = {0.0, 0.01, 0.3, 1.0};
    for (CLayerData& layer : doc.Layers) {
        layer.SaveType = saveTypes[pick(0, 8)];
        layer.DataSize = dataSizes[pick(0, 5)];
        layer.ChipPage = pick(0, 7);
        if (pick(0, 5) == 0) {
            layer.Cells.reset();
            continue;
        }
        layer.Cells = CellGrid(static_cast<std::size_t>(doc.Columns) * doc.Rows, -1);
        std::bernoulli_distribution filled(densities[pick(0, 3)]);
        for (int16_t& cell : *layer.Cells)
            if (filled(rng))
                cell = static_cast<int16_t>(pick(0, 3) == 0 ? pick(-32768, 32767) : pick(0, 300));
    }
    doc.SaveEvent = pick(0, 3) != 0;
    doc.SaveEventRem = pick(0, 2);
    doc.SaveEventMap = pick(-1, 3);
    doc.SaveText = pick(0, 1);
    doc.Events.RemoveAll();
    doc.Texts.RemoveAll();
    for (int i = pick(0, 4); i > 0; --i) {
        CEventData e;
        e.Type = pick(-5, 500);
        e.Rect = {pick(0, 9), pick(0, 9), pick(0, 99), pick(0, 99)};
        e.Map = pick(0, 3) == 0 ? std::string() : "C:\\maps\\" + RandomString(rng, 6) + ".mpx";
        e.Pos = {pick(-1, 600), pick(-1, 600)};
        e.Option[0] = pick(-1 << 30, 1 << 30);
        e.Option[1] = pick(-1 << 30, 1 << 30);
        e.Rem = RandomString(rng, 20);
        doc.Events.Append(e);
    }
    for (int i = pick(0, 4); i > 0; --i) {
        CMemo m;
        m.Text = RandomString(rng, 30);
        m.Rect = {pick(0, 999), pick(0, 999), pick(0, 999), pick(0, 999)};
        m.Size = pick(1, 72);
        m.Color = static_cast<uint32_t>(pick(0, 0xFFFFFF));
        doc.Texts.Append(m);
    }
}

TEST(LoaderExport, RandomMapsOfEverySaveTypeAndDataSize)
{
    std::mt19937 rng(20240514);
    Doc doc;
    bool seen[3][3] = {};  // save type 1, 2, other x data size 0, 1, 2 as written
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Randomise(doc.D, rng, round % 10 == 0 ? 512 : 40);
        LoadedMap loaded(BuildBinaryMap(doc.D));
        ASSERT_EQ(loaded.Error, QUELP_MPB_OK) << quelp_mpb_error_string(loaded.Error) << " at "
                                             << loaded.Map.error_offset;
        ExpectMatchesDocument(loaded.Map, doc.D);
        for (const quelp_mpb_layer& layer : loaded.Map.layers)
            if (layer.present)
                seen[layer.save_type == 1 ? 0 : layer.save_type == 2 ? 1 : 2][layer.data_size] =
                    true;
    }
    for (int type = 0; type < 3; ++type)
        for (int size = 0; size < 3; ++size)
            EXPECT_TRUE(seen[type][size]) << "save type " << type + 1 << ", data size " << size;
}

}  // namespace
