// The entry point of one libFuzzer harness; the build names the target.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::fuzz::CFuzzOutcome outcome;
    kv::fuzz::KALVORA_FUZZ_TARGET(data, size, outcome);
    // Whatever a file holds, the program shows it or says why it does not.
    if (!outcome.shown && outcome.messages.empty()) {
        std::fprintf(stderr, "the input was neither shown nor refused with a message\n");
        std::abort();
    }
    return 0;
}
