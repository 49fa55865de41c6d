#pragma once

// The body of the loader's fuzz target, shared by the libFuzzer entry point and by the test that
// replays its seeds and kept inputs. Any input: measuring and loading agree, a failure names an
// offset inside the input, and an accepted map is consistent and accounts for every byte.

#include "fuzzcheck.h"
#include "quelp_mpb.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace fuzzloader {

inline uint64_t StringBytes(const quelp_mpb_string& s)
{
    FUZZ_CHECK(s.bytes != nullptr && s.bytes[s.length] == '\0', "string without terminator");
    return 4 + static_cast<uint64_t>(s.length);
}

/** The file size the map implies, field by field; checks each layer on the way. */
inline uint64_t ImpliedSize(const quelp_mpb_map& map)
{
    FUZZ_CHECK(map.chip_width > 0 && map.chip_height > 0, "chip size not positive");
    FUZZ_CHECK(map.columns > 0 && map.rows > 0, "map size not positive");
    const uint64_t cells = static_cast<uint64_t>(map.columns) * static_cast<uint64_t>(map.rows);
    uint64_t size = 16 + StringBytes(map.text_attribute) + 16;
    for (const quelp_mpb_page& page : map.pages) {
        FUZZ_CHECK(page.columns >= 0 && page.rows >= 0, "negative page size");
        size += 8 + StringBytes(page.image);
    }
    for (int position = 0; position < QUELP_MPB_LAYERS; ++position) {
        const quelp_mpb_layer& layer = map.layers[position];
        if (!layer.present) {
            FUZZ_CHECK(layer.cells == nullptr, "cells of an absent layer");
            continue;
        }
        FUZZ_CHECK(layer.chip_page >= 0 && layer.chip_page < QUELP_MPB_PAGES, "chip page");
        FUZZ_CHECK(layer.save_type != 0, "save type 0 accepted");
        FUZZ_CHECK(layer.data_size >= 0 && layer.data_size <= 2, "data size");
        FUZZ_CHECK((layer.cells != nullptr) == (layer.data_size > 0), "cells without values");
        FUZZ_CHECK(layer.empty == (layer.data_size == 1 ? 0xFF : 0xFFFF), "empty value");
        const uint64_t width = static_cast<uint64_t>(layer.data_size);
        size += 16;
        if (layer.save_type == 1) {
            FUZZ_CHECK(layer.left >= 0 && layer.left <= layer.right && layer.right < map.columns &&
                           layer.top >= 0 && layer.top <= layer.bottom && layer.bottom < map.rows,
                       "valid range outside the map");
            size += 16 + static_cast<uint64_t>(layer.right - layer.left + 1) *
                             static_cast<uint64_t>(layer.bottom - layer.top + 1) * width;
        } else if (layer.save_type == 2) {
            size += cells * width;
        } else {
            FUZZ_CHECK(layer.listed >= 0 && static_cast<uint64_t>(layer.listed) <= cells,
                       "listed count");
            size += 4 + static_cast<uint64_t>(layer.listed) * (4 + width);
        }
        FUZZ_CHECK(cells <= 1 << 16, "a map above the cell limit accepted");
        for (int32_t row = 0; row < map.rows; ++row)
            for (int32_t column = 0; column < map.columns; ++column) {
                const uint16_t value = quelp_mpb_cell(&map, position, column, row);
                FUZZ_CHECK(layer.data_size != 1 || value <= 0xFF, "one-byte cell above 255");
                FUZZ_CHECK(!layer.cells ||
                               value == layer.cells[static_cast<size_t>(row) * map.columns + column],
                           "cell accessor disagrees with the grid");
            }
        FUZZ_CHECK(quelp_mpb_cell(&map, position, map.columns, 0) == layer.empty &&
                       quelp_mpb_cell(&map, position, -1, 0) == layer.empty,
                   "a cell outside the map is not empty");
    }
    if (map.has_events) {
        size += 12;
        for (size_t i = 0; i < map.event_count; ++i) {
            const quelp_mpb_event& e = map.events[i];
            size += 20 + StringBytes(e.map) + 16;
            if (map.remark_flag != 0)
                size += StringBytes(e.remark);
            else
                FUZZ_CHECK(e.remark.length == 0 && e.remark.bytes && !e.remark.bytes[0],
                           "remark without the remark flag");
        }
    } else {
        FUZZ_CHECK(map.event_count == 0 && map.events == nullptr, "events without the block");
    }
    if (map.has_texts) {
        size += 8;
        for (size_t i = 0; i < map.text_count; ++i)
            size += 24 + StringBytes(map.texts[i].text);
    } else {
        FUZZ_CHECK(map.text_count == 0 && map.texts == nullptr, "texts without the block");
    }
    return size + 4;
}

inline bool SameString(const quelp_mpb_string& a, const quelp_mpb_string& b)
{
    return a.length == b.length && std::memcmp(a.bytes, b.bytes, a.length) == 0;
}

/** The map read into the caller's block, at an odd address, equals the loaded one. */
inline void CheckParsedCopy(const uint8_t* data, size_t size, const quelp_mpb_options& options,
                            const quelp_mpb_map& loaded, size_t blockSize)
{
    std::vector<unsigned char> block(blockSize + 1);
    quelp_mpb_map map;
    FUZZ_CHECK(quelp_mpb_parse(data, size, &options, block.data() + 1, blockSize, &map) ==
                   QUELP_MPB_OK,
               "parse into the measured block failed");
    FUZZ_CHECK(map.columns == loaded.columns && map.rows == loaded.rows &&
                   SameString(map.text_attribute, loaded.text_attribute) &&
                   map.event_count == loaded.event_count && map.text_count == loaded.text_count,
               "parse and load disagree");
    const size_t cells = static_cast<size_t>(map.columns) * static_cast<size_t>(map.rows);
    for (int i = 0; i < QUELP_MPB_LAYERS; ++i) {
        const quelp_mpb_layer& a = map.layers[i];
        const quelp_mpb_layer& b = loaded.layers[i];
        FUZZ_CHECK(a.present == b.present && a.save_type == b.save_type &&
                       a.data_size == b.data_size && (a.cells == nullptr) == (b.cells == nullptr),
                   "layers of parse and load disagree");
        FUZZ_CHECK(!a.cells || std::memcmp(a.cells, b.cells, cells * sizeof(uint16_t)) == 0,
                   "cells of parse and load disagree");
    }
    for (size_t i = 0; i < map.event_count; ++i)
        FUZZ_CHECK(SameString(map.events[i].map, loaded.events[i].map) &&
                       SameString(map.events[i].remark, loaded.events[i].remark),
                   "events of parse and load disagree");
    for (size_t i = 0; i < map.text_count; ++i)
        FUZZ_CHECK(SameString(map.texts[i].text, loaded.texts[i].text),
                   "texts of parse and load disagree");
    quelp_mpb_free(&map);
}

}  // namespace fuzzloader

/** One input through the loader. */
inline void FuzzLoaderInput(const uint8_t* data, size_t size)
{
    quelp_mpb_options options;
    std::memset(&options, 0, sizeof options);
    // Small grids keep every run fast; a larger claim must then be refused, not attempted.
    options.max_cells = 1 << 16;
    size_t blockSize = 0;
    size_t offset = 0;
    const quelp_mpb_error measured = quelp_mpb_measure(data, size, &options, &blockSize, &offset);
    quelp_mpb_map map;
    const quelp_mpb_error loaded = quelp_mpb_load(data, size, &options, &map);
    FUZZ_CHECK(measured == loaded, "measure and load disagree");
    if (loaded != QUELP_MPB_OK) {
        FUZZ_CHECK(offset == map.error_offset && offset <= size, "error offset");
        FUZZ_CHECK(map.memory == nullptr && map.events == nullptr, "a failed load kept memory");
        return;
    }
    FUZZ_CHECK(fuzzloader::ImpliedSize(map) == size, "the map does not account for every byte");
    fuzzloader::CheckParsedCopy(data, size, options, map, blockSize);
    quelp_mpb_free(&map);
}
