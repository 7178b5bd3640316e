// libFuzzer's entry for one target, chosen at compile time (scripts/fuzz: -DQUILLO_FUZZ_TARGET=<function>).
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!fuzz::QUILLO_FUZZ_TARGET(data, size))
        __builtin_trap(); // a broken promise counts as a crash, so the input is kept
    return 0;
}
