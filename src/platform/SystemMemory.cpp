#include "platform/SystemMemory.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <mutex>
#include <string>

namespace kv {

namespace {

uint64_t g_nTestFigure = 0;

// "MemAvailable:" of /proc/meminfo in bytes, or the largest value when unknown.
uint64_t SystemAvailable() {
    std::ifstream in("/proc/meminfo");
    std::string key;
    uint64_t value = 0;
    std::string unit;
    while (in >> key >> value) {
        std::getline(in, unit);
        if (key == "MemAvailable:") return value * 1024;
    }
    return std::numeric_limits<uint64_t>::max();
}

// What the control group still allows (cgroup v2), or the largest value.
uint64_t GroupAvailable() {
    std::ifstream self("/proc/self/cgroup");
    std::string line, group;
    while (std::getline(self, line))
        if (line.rfind("0::", 0) == 0) group = line.substr(3);
    if (group.empty()) return std::numeric_limits<uint64_t>::max();
    const std::string base = "/sys/fs/cgroup" + (group == "/" ? std::string() : group);
    std::ifstream maxFile(base + "/memory.max");
    std::ifstream currentFile(base + "/memory.current");
    std::string max;
    uint64_t current = 0;
    if (!(maxFile >> max) || max == "max" || !(currentFile >> current)) return std::numeric_limits<uint64_t>::max();
    const uint64_t limit = std::strtoull(max.c_str(), nullptr, 10);
    return limit > current ? limit - current : 0;
}

}  // namespace

uint64_t AvailableMemory() {
    if (g_nTestFigure != 0) return g_nTestFigure;
    // Reading the figures opens three files of the system; a program that
    // reads many small files in a row asks far more often than the figure
    // changes, so a figure is kept for a quarter of a second.
    using Clock = std::chrono::steady_clock;
    static std::mutex mutex;
    static Clock::time_point taken;
    static uint64_t figure = 0;
    const std::lock_guard<std::mutex> lock(mutex);
    const Clock::time_point now = Clock::now();
    if (figure == 0 || now - taken > std::chrono::milliseconds(250)) {
        const uint64_t system = SystemAvailable();
        const uint64_t group = GroupAvailable();
        figure = system < group ? system : group;
        taken = now;
        if (figure == 0) return 0;  // nothing left: asked again next time
    }
    return figure;
}

uint64_t SetAvailableMemoryForTesting(uint64_t bytes) {
    const uint64_t previous = g_nTestFigure;
    g_nTestFigure = bytes;
    return previous;
}

std::string MemorySizeText(uint64_t bytes) {
    char text[64];
    const double b = static_cast<double>(bytes);
    if (b >= 1e9)
        std::snprintf(text, sizeof text, "%.2f GB", b / 1e9);
    else if (b >= 1e6)
        std::snprintf(text, sizeof text, "%.1f MB", b / 1e6);
    else
        std::snprintf(text, sizeof text, "%.0f kB", b / 1e3);
    return text;
}

}  // namespace kv
