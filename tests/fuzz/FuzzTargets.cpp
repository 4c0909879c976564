#include "FuzzTargets.h"

#include <utility>

namespace kv::fuzz {

namespace {

const std::pair<const char*, FuzzTarget> kTargets[] = {
    {"project", FuzzProject},          {"signal_text", FuzzSignalText}, {"signal_fixed", FuzzSignalFixed},
    {"signal_binary", FuzzSignalBinary}, {"signal_wave", FuzzSignalWave},
    {"signal_rawint", FuzzSignalRawInt}, {"signal_npy", FuzzSignalNpy}, {"signal_sigmf", FuzzSignalSigmf},
    {"signal_csv", FuzzSignalCsv},     {"fir", FuzzFirFile},
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
