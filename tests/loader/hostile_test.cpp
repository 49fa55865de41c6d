// Damaged and hostile files give an error and never a read outside the bytes (the test build
// runs under AddressSanitizer, and every load reads from a copy of exactly the file's size);
// the caller's memory choices are honoured.
#include "mpbtestutil.h"

#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "export/binarymap.h"
#include "mapfile/mapdocumentfile.h"
#include "support/fakeuiport.h"

#include <QImage>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

std::string I32(int32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    return s;
}

std::string WithI32(std::string bytes, std::size_t at, int32_t v)
{
    bytes.replace(at, 4, I32(v));
    return bytes;
}

// The 182 bytes of the worked example; the offsets below are its fields.
const std::string kWorked = I32(16) + I32(16) + I32(50) + I32(50) + I32(0) +
                            std::string(16, '\0') + I32(8) + I32(4) + I32(9) + "tiles.png" +
                            std::string(7 * 12, '\0') + I32(0) + I32(0) + I32(3) + I32(1) +
                            I32(1) + std::string("\1\0\0\0\5", 5) + I32(8) + I32(0) + I32(0) +
                            I32(-1);
enum : std::size_t {
    kColumns = 8, kRows = 12, kAttributeLength = 16, kPageColumns = 36, kNameLength = 44,
    kLayerTag = 141, kChipPage = 145, kSaveType = 149, kDataSize = 153, kCellCount = 157,
    kEntry = 161, kEventsTag = 166, kEventCount = 174, kEnd = 178
};

// A small map with every kind of block: three layers of the three save types, events with
// remarks, texts.
std::string SmallExport()
{
    Doc doc;
    doc.D.Columns = 3;
    doc.D.Rows = 2;
    doc.D.TextOption = "ab";
    doc.D.ChipPages[2].Image.Pixels = QImage(4, 4, QImage::Format_RGB32);
    doc.D.ChipPages[2].FilePath = "/s/x.png";
    doc.D.ChipPages[2].Columns = 2;
    doc.D.ChipPages[2].Rows = 1;
    const int saveTypes[3] = {1, 2, 3};
    for (int i = 0; i < 3; ++i) {
        CLayerData& layer = doc.D.Layers[static_cast<std::size_t>(i)];
        layer.Cells = CellGrid{-1, 4, -1, 300, -1, 2};
        layer.SaveType = saveTypes[i];
        layer.DataSize = 1 + i % 2;
    }
    doc.D.SaveEvent = 1;
    doc.D.SaveEventRem = 1;
    doc.D.SaveEventMap = 1;
    doc.D.SaveText = 1;
    for (int i = 0; i < 2; ++i) {
        CEventData e;
        e.Type = i;
        e.Map = "/m/t.mpx";
        e.Rem = i ? "r" : "";
        doc.D.Events.Append(e);
        CMemo m;
        m.Text = "hi";
        doc.D.Texts.Append(m);
    }
    return BuildBinaryMap(doc.D);
}

std::string TownExport()
{
    Doc doc;
    std::string error;
    EXPECT_TRUE(LoadMapFile(doc.D, std::string(QUELP_SOURCE_DIR) + "/examples/town/town.mpx",
                            error))
        << error;
    doc.D.SaveText = 1;
    doc.D.SaveEventRem = 1;
    return BuildBinaryMap(doc.D);
}

TEST(LoaderHostile, EveryPrefixIsTruncated)
{
    for (const std::string& whole : {kWorked, SmallExport(), TownExport()}) {
        ASSERT_EQ(LoadedMap(whole).Error, QUELP_MPB_OK);
        for (std::size_t n = 0; n < whole.size(); ++n) {
            LoadedMap cut(whole.substr(0, n));
            ASSERT_EQ(cut.Error, QUELP_MPB_ERR_TRUNCATED) << "prefix of " << n << " bytes";
            EXPECT_LE(cut.Map.error_offset, n);
            EXPECT_EQ(cut.Map.memory, nullptr);
        }
    }
}

TEST(LoaderHostile, DamagedFieldsOfTheWorkedExample)
{
    struct Case {
        std::size_t At;
        int32_t Value;
        quelp_mpb_error Error;  // QUELP_MPB_ERR_ARGUMENT here: any error will do
        std::size_t Offset;
    };
    const std::size_t any = ~std::size_t{0};
    const Case cases[] = {
        {0, 0, QUELP_MPB_ERR_CHIP_SIZE, 0},
        {4, -16, QUELP_MPB_ERR_CHIP_SIZE, 4},
        {kColumns, 0, QUELP_MPB_ERR_MAP_SIZE, kColumns},
        {kRows, -50, QUELP_MPB_ERR_MAP_SIZE, kRows},
        {kColumns, 1, QUELP_MPB_ERR_CELL_POSITION, kEntry},
        {kRows, 0x7FFFFFFF, QUELP_MPB_ERR_TOO_LARGE, kColumns},
        {kAttributeLength, -1, QUELP_MPB_ERR_STRING, kAttributeLength},
        {kAttributeLength, 0x7FFFFFFF, QUELP_MPB_ERR_TRUNCATED, kAttributeLength},
        {kAttributeLength, 1, QUELP_MPB_ERR_ARGUMENT, any},
        {kPageColumns, -1, QUELP_MPB_ERR_PAGE, kPageColumns},
        {kNameLength, 10, QUELP_MPB_ERR_ARGUMENT, any},
        {kNameLength, 8, QUELP_MPB_ERR_ARGUMENT, any},
        {kNameLength, INT32_MIN, QUELP_MPB_ERR_STRING, kNameLength},
        {kLayerTag, 10, QUELP_MPB_ERR_BLOCK_TAG, kLayerTag},
        {kLayerTag, -2, QUELP_MPB_ERR_BLOCK_TAG, kLayerTag},
        {kLayerTag, 9, QUELP_MPB_ERR_ARGUMENT, any},
        {kChipPage, 8, QUELP_MPB_ERR_CHIP_PAGE, kChipPage},
        {kChipPage, -1, QUELP_MPB_ERR_CHIP_PAGE, kChipPage},
        {kSaveType, 0, QUELP_MPB_ERR_SAVE_TYPE, kSaveType},
        {kSaveType, 1, QUELP_MPB_ERR_ARGUMENT, any},
        {kSaveType, 2, QUELP_MPB_ERR_TRUNCATED, kCellCount},
        {kDataSize, 3, QUELP_MPB_ERR_DATA_SIZE, kDataSize},
        {kDataSize, -1, QUELP_MPB_ERR_DATA_SIZE, kDataSize},
        {kDataSize, 2, QUELP_MPB_ERR_ARGUMENT, any},
        {kCellCount, 0, QUELP_MPB_ERR_ARGUMENT, any},
        {kCellCount, 2, QUELP_MPB_ERR_ARGUMENT, any},
        {kCellCount, -1, QUELP_MPB_ERR_COUNT, kCellCount},
        {kCellCount, 2501, QUELP_MPB_ERR_COUNT, kCellCount},
        {kCellCount, 2500, QUELP_MPB_ERR_TRUNCATED, kCellCount},
        {kEventsTag, 0, QUELP_MPB_ERR_BLOCK_TAG, kEventsTag},
        {kEventsTag, 9, QUELP_MPB_ERR_ARGUMENT, any},
        {kEventCount, 1, QUELP_MPB_ERR_TRUNCATED, kEventCount},
        {kEventCount, -1, QUELP_MPB_ERR_COUNT, kEventCount},
        {kEventCount, 0x7FFFFFFF, QUELP_MPB_ERR_TRUNCATED, kEventCount},
        {kEnd, 0, QUELP_MPB_ERR_BLOCK_TAG, kEnd},
        {kEnd, 9, QUELP_MPB_ERR_TRUNCATED, kEnd + 4},
    };
    for (const Case& c : cases) {
        LoadedMap loaded(WithI32(kWorked, c.At, c.Value));
        SCOPED_TRACE(testing::Message() << "offset " << c.At << " = " << c.Value << ": "
                                        << quelp_mpb_error_string(loaded.Error));
        if (c.Error == QUELP_MPB_ERR_ARGUMENT) {
            EXPECT_NE(loaded.Error, QUELP_MPB_OK);
            continue;
        }
        EXPECT_EQ(loaded.Error, c.Error);
        EXPECT_EQ(loaded.Map.error_offset, c.Offset);
    }
    LoadedMap longer(kWorked + '\0');
    EXPECT_EQ(longer.Error, QUELP_MPB_ERR_TRAILING_DATA);
    EXPECT_EQ(longer.Map.error_offset, 182u);
    std::string swapped = kWorked;
    swapped[kEntry] = 0;
    swapped[kEntry + 1] = static_cast<char>(0x80);  // column -32768
    EXPECT_EQ(LoadedMap(swapped).Error, QUELP_MPB_ERR_CELL_POSITION);
}

TEST(LoaderHostile, EveryFieldOverwrittenNeverReadsOutside)
{
    for (const std::string& whole : {kWorked, SmallExport()}) {
        std::set<int> errors;
        for (std::size_t at = 0; at + 4 <= whole.size(); ++at) {
            int32_t old = 0;
            std::memcpy(&old, whole.data() + at, 4);  // little-endian host: only used for +-1
            const uint32_t u = static_cast<uint32_t>(old);
            for (int32_t v : {0, -1, 0x7FFFFFFF, INT32_MIN, 0x10000, static_cast<int32_t>(u + 1),
                              static_cast<int32_t>(u - 1)}) {
                LoadedMap loaded(WithI32(whole, at, v));
                errors.insert(loaded.Error);
                if (loaded.Error != QUELP_MPB_OK) {
                    EXPECT_LE(loaded.Map.error_offset, whole.size());
                }
            }
        }
        // The damage was seen, not silently accepted throughout.
        EXPECT_GE(errors.size(), 8u);
    }
}

struct CountingAllocator {
    int Allocations = 0;
    int Releases = 0;
    void* Last = nullptr;
    bool Fail = false;
    std::vector<std::vector<unsigned char>> Blocks;

    quelp_mpb_allocator Port()
    {
        quelp_mpb_allocator a;
        a.user = this;
        a.alloc = [](void* user, size_t size) -> void* {
            auto* self = static_cast<CountingAllocator*>(user);
            ++self->Allocations;
            if (self->Fail)
                return nullptr;
            self->Blocks.emplace_back(size);
            return self->Last = self->Blocks.back().data();
        };
        a.release = [](void* user, void* block) {
            auto* self = static_cast<CountingAllocator*>(user);
            ++self->Releases;
            EXPECT_EQ(block, self->Last);
        };
        return a;
    }
};

TEST(LoaderMemory, OneAllocationThroughTheCallersAllocator)
{
    const std::string bytes = SmallExport();
    CountingAllocator counter;
    const quelp_mpb_allocator port = counter.Port();
    quelp_mpb_options options{};
    options.allocator = &port;
    {
        LoadedMap loaded(bytes, &options);
        ASSERT_EQ(loaded.Error, QUELP_MPB_OK);
        EXPECT_EQ(counter.Allocations, 1);
        EXPECT_EQ(loaded.Map.memory, counter.Last);
    }
    EXPECT_EQ(counter.Releases, 1);

    // A damaged file allocates nothing; a refused allocation leaves nothing behind.
    EXPECT_EQ(LoadedMap(bytes.substr(0, 40), &options).Error, QUELP_MPB_ERR_TRUNCATED);
    EXPECT_EQ(counter.Allocations, 1);
    counter.Fail = true;
    LoadedMap refused(bytes, &options);
    EXPECT_EQ(refused.Error, QUELP_MPB_ERR_NO_MEMORY);
    EXPECT_EQ(refused.Map.memory, nullptr);
    EXPECT_EQ(counter.Releases, 1);

    quelp_mpb_allocator half = port;
    half.release = nullptr;
    options.allocator = &half;
    EXPECT_EQ(LoadedMap(bytes, &options).Error, QUELP_MPB_ERR_ARGUMENT);
}

TEST(LoaderMemory, TheCallersBlockAtAnyAlignment)
{
    const std::string bytes = SmallExport();
    size_t need = 0;
    ASSERT_EQ(quelp_mpb_measure(bytes.data(), bytes.size(), nullptr, &need, nullptr),
              QUELP_MPB_OK);
    LoadedMap reference(bytes);
    for (std::size_t shift = 0; shift < 16; ++shift) {
        std::vector<unsigned char> memory(need + shift);
        std::string input = bytes;
        quelp_mpb_map map;
        ASSERT_EQ(quelp_mpb_parse(input.data(), input.size(), nullptr, memory.data() + shift, need,
                                  &map),
                  QUELP_MPB_OK)
            << shift;
        input.assign(input.size(), '\x55');  // the map holds copies, not pointers into the file
        EXPECT_EQ(map.memory, nullptr);
        EXPECT_EQ(AsString(map.text_attribute), "ab");
        EXPECT_EQ(AsString(map.pages[2].image), "x.png");
        ASSERT_EQ(map.event_count, 2u);
        EXPECT_EQ(AsString(map.events[1].map), "t.mpx");
        EXPECT_EQ(AsString(map.events[1].remark), "r");
        ASSERT_EQ(map.text_count, 2u);
        EXPECT_EQ(AsString(map.texts[0].text), "hi");
        for (int layer = 0; layer < 3; ++layer)
            EXPECT_EQ(std::memcmp(map.layers[layer].cells, reference.Map.layers[layer].cells,
                                  6 * sizeof(uint16_t)),
                      0);
        quelp_mpb_free(&map);  // harmless: nothing allocated
    }
    std::vector<unsigned char> small(need);
    quelp_mpb_map map;
    for (size_t size : {size_t{0}, size_t{8}, need / 2})
        EXPECT_EQ(quelp_mpb_parse(bytes.data(), bytes.size(), nullptr, small.data(), size, &map),
                  QUELP_MPB_ERR_BLOCK_TOO_SMALL)
            << size;
    EXPECT_EQ(map.columns, 0);
    EXPECT_EQ(quelp_mpb_parse(bytes.data(), bytes.size(), nullptr, nullptr, need, &map),
              QUELP_MPB_ERR_ARGUMENT);
    EXPECT_EQ(quelp_mpb_measure(bytes.data(), bytes.size(), nullptr, nullptr, nullptr),
              QUELP_MPB_ERR_ARGUMENT);
    EXPECT_EQ(quelp_mpb_load(nullptr, 4, nullptr, &map), QUELP_MPB_ERR_ARGUMENT);
    EXPECT_EQ(quelp_mpb_load(nullptr, 0, nullptr, &map), QUELP_MPB_ERR_TRUNCATED);
    EXPECT_EQ(quelp_mpb_load(bytes.data(), bytes.size(), nullptr, nullptr), QUELP_MPB_ERR_ARGUMENT);
}

TEST(LoaderMemory, TheCellLimit)
{
    const std::string town = TownExport();  // 40 x 30
    quelp_mpb_options options{};
    options.max_cells = 1200;
    EXPECT_EQ(LoadedMap(town, &options).Error, QUELP_MPB_OK);
    options.max_cells = 1199;
    EXPECT_EQ(LoadedMap(town, &options).Error, QUELP_MPB_ERR_TOO_LARGE);

    // A short file claiming the largest map is refused by the default limit, whatever it holds.
    const std::string huge = WithI32(WithI32(kWorked, kColumns, 0x7FFFFFFF), kRows, 0x7FFFFFFF);
    EXPECT_EQ(LoadedMap(huge).Error, QUELP_MPB_ERR_TOO_LARGE);
    EXPECT_EQ(LoadedMap(huge.substr(0, 16)).Error, QUELP_MPB_ERR_TOO_LARGE);
    options.max_cells = 2500;
    EXPECT_EQ(LoadedMap(kWorked, &options).Error, QUELP_MPB_OK);
    options.max_cells = 2499;
    EXPECT_EQ(LoadedMap(kWorked, &options).Error, QUELP_MPB_ERR_TOO_LARGE);
}

TEST(LoaderHostile, DataSizeZeroHoldsNoValues)
{
    // What the export writes for a layer whose data size was set to 0 by hand: positions only.
    std::string bytes = WithI32(kWorked, kDataSize, 0);
    bytes.erase(kEntry + 4, 1);
    LoadedMap loaded(bytes);
    ASSERT_EQ(loaded.Error, QUELP_MPB_OK);
    EXPECT_TRUE(loaded.Map.layers[0].present);
    EXPECT_EQ(loaded.Map.layers[0].cells, nullptr);
    EXPECT_EQ(loaded.Map.layers[0].listed, 1);
    EXPECT_EQ(quelp_mpb_cell(&loaded.Map, 0, 1, 0), 0xFFFF);
    EXPECT_EQ(LoadedMap(WithI32(bytes, kEntry, 50)).Error, QUELP_MPB_ERR_CELL_POSITION);
}

TEST(LoaderErrors, EveryCodeHasItsOwnText)
{
    std::set<std::string> texts;
    for (int e = QUELP_MPB_OK; e <= QUELP_MPB_ERR_NO_MEMORY; ++e) {
        const std::string text = quelp_mpb_error_string(static_cast<quelp_mpb_error>(e));
        EXPECT_NE(text, "unknown error") << e;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(QUELP_MPB_ERR_NO_MEMORY) + 1);
    EXPECT_STREQ(quelp_mpb_error_string(static_cast<quelp_mpb_error>(QUELP_MPB_ERR_NO_MEMORY + 1)),
                 "unknown error");
}

}  // namespace
