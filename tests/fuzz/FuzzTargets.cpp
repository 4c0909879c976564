#include "FuzzTargets.h"

#include <utility>

namespace kv::fuzz {

namespace {

const std::pair<const char*, FuzzTarget> kTargets[] = {
    {"project", FuzzProject},          {"signal_text", FuzzSignalText}, {"signal_fixed", FuzzSignalFixed},
    {"signal_binary", FuzzSignalBinary}, {"signal_wave", FuzzSignalWave}, {"fir", FuzzFirFile},
    {"audio", FuzzAudioFile},          {"if_filter", FuzzIfFilterFile}, {"numbers", FuzzNumbers},
};

}  // namespace

FuzzTarget TargetByName(const std::string& name) {
    for (const auto& [n, target] : kTargets)
        if (name == n) return target;
    return nullptr;
}

std::vector<std::string> TargetNames() {
    std::vector<std::string> names;
    for (const auto& entry : kTargets) names.emplace_back(entry.first);
    return names;
}

}  // namespace kv::fuzz
