#pragma once
#include <cstdint>
#include <string>

namespace kv {

// Bytes of memory the program can still take: the memory the system reports
// as available, within any limit set for the program's control group.
uint64_t AvailableMemory();

// Makes AvailableMemory report a fixed figure (0: the system's figure again);
// for tests. Returns the previous setting.
uint64_t SetAvailableMemoryForTesting(uint64_t bytes);

// A memory size as people read it: "512 kB", "37.5 MB", "1.60 GB".
std::string MemorySizeText(uint64_t bytes);

}  // namespace kv
