#define QUELP_MPB_IMPLEMENTATION
#include "fuzz_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzLoaderInput(data, size);
    return 0;
}
