#pragma once

// The bodies of the fuzz targets, shared by the libFuzzer entry points and by the test that
// replays the kept inputs. Each takes one input and aborts (with a message on stderr) when the
// code under test breaks a rule that must hold for any input.

#include <cstddef>
#include <cstdint>

/** A whole map file read from memory, then written and read again. */
void FuzzMapFileInput(const uint8_t* data, size_t size);

/** Pattern matcher: a pattern and a text split from the input; also the reader's line
 *  recognisers checked against the matcher. */
void FuzzPatternInput(const uint8_t* data, size_t size);

/** A tile sheet: image bytes decoded, then cut into chips and prepared for drawing. */
void FuzzSheetInput(const uint8_t* data, size_t size);
