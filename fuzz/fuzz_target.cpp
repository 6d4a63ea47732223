// One libFuzzer target; NERIO_FUZZ_TARGET names the reader it feeds (see FuzzEntries.cpp).

#include "FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    NerioFuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const NerioFuzz::Target* target = [] {
        const NerioFuzz::Target* t = NerioFuzz::findTarget(NERIO_FUZZ_TARGET);
        if (!t) {
            std::fprintf(stderr, "no fuzz target %s\n", NERIO_FUZZ_TARGET);
            std::abort();
        }
        return t;
    }();
    target->run(data, size);
    return 0;
}
