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
// fresh pages. Freed memory stays with the process instead of going back to
// the system every few seconds (each return cost the page faults of taking
// it again). An allocation or release records two calls, the allocating
// function and its caller, which need no walk up the stack (12 frames cost
// a twentieth of an execution): a finding is replayed with
// ASAN_OPTIONS=malloc_context_size=30 for the whole story. None of these
// changes what is checked.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=64:malloc_context_size=2:allocator_release_to_os_interval_ms=-1";
}

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
