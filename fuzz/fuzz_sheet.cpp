#include "fuzzbodies.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Image plugins load without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSheetInput(data, size);
    return 0;
}
