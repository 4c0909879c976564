// The entry point of one libFuzzer harness; the build names the target.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::fuzz::CFuzzOutcome outcome;
    kv::fuzz::KALVORA_FUZZ_TARGET(data, size, outcome);
    // KALVORA_FUZZ_SHOW=1 tells, for each input replayed, what became of it.
    static const bool show = std::getenv("KALVORA_FUZZ_SHOW") != nullptr;
    if (show) {
        std::fprintf(stderr, "%s\n", outcome.shown ? "shown" : "not shown");
        for (const std::string& message : outcome.messages) std::fprintf(stderr, "  message: %s\n", message.c_str());
    }
    // Whatever a file holds, the program shows it or says why it does not.
    if (!outcome.shown && outcome.messages.empty()) {
        std::fprintf(stderr, "the input was neither shown nor refused with a message\n");
        std::abort();
    }
    return 0;
}
