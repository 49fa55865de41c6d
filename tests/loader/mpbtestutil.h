#pragma once

#include "quelp_mpb.h"

#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "support/fakeuiport.h"

#include <string>

/** A new map with 16 x 16 chips, as the exports in these tests start from. */
struct Doc {
    MemorySettingsStore Store;
    FakeUiPort Ui;
    CQuelpDoc D{Store, Ui};
    Doc()
    {
        ChipWidth = 16;
        ChipHeight = 16;
        D.OnNewDocument();
    }
};

/** A map loaded from a copy of the bytes that has exactly their size, so that the sanitizer
 *  sees any read past the end; freed with the object. */
struct LoadedMap {
    quelp_mpb_error Error = QUELP_MPB_OK;
    quelp_mpb_map Map{};
    LoadedMap(const std::string& bytes, const quelp_mpb_options* options = nullptr);
    ~LoadedMap() { quelp_mpb_free(&Map); }
    LoadedMap(const LoadedMap&) = delete;
    LoadedMap& operator=(const LoadedMap&) = delete;
};

/** The bytes as a std::string. */
std::string AsString(const quelp_mpb_string& s);

/** Expects the loaded map to hold what the binary export of the document says, field by field
 *  and cell by cell, with the program's chip size. */
void ExpectMatchesDocument(const quelp_mpb_map& map, const CQuelpDoc& doc);
