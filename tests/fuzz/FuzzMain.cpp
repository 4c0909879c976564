// The entry point of one libFuzzer harness; the build names the target.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzTargets.h"
#include "dsp/MixedRadixFft.h"

// AddressSanitizer's settings for the harnesses (ASAN_OPTIONS still
// overrides them): one input frees a few megabytes, so a quarantine of 64 MB
// still holds the memory of the last several inputs for finding its use
// after freeing, while memory is reused before the system must hand out
// fresh pages; allocation stacks of 12 frames name the code that allocated.
// Both together take about a fifth off the time of an execution.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=64:malloc_context_size=12"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::fuzz::CFuzzOutcome outcome;
    kv::fuzz::KALVORA_FUZZ_TARGET(data, size, outcome);
    // The FFT keeps the plan of the last length for the next transform. Kept
    // across inputs, it frees in one input what another allocated, and
    // libFuzzer runs every input that ends with more allocations than frees
    // a second time, suspecting a leak: a sixth of all executions.
    kv::ReleaseFftWorkspace();
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
