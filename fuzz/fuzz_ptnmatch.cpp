#include "fuzzbodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzPatternInput(data, size);
    return 0;
}
