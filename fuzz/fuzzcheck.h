#pragma once

#include <cstdio>
#include <cstdlib>

// A rule that must hold for every input; the fuzzer reports the input that breaks it.
#define FUZZ_CHECK(condition, what)                                                    \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, __FILE__,    \
                         __LINE__);                                                    \
            std::abort();                                                              \
        }                                                                              \
    } while (0)
