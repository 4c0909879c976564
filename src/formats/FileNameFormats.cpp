#include "formats/FileNameFormats.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "data/CDataFormat.h"
#include "formats/FormatHelpers.h"

namespace kv {

int32_t FormatForFileName(const std::string& path) {
    static const std::map<std::string, int32_t> byExtension = {
        {"wav", FMT_BINARY_WAVE}, {"plt", FMT_TEXT_PLOT},    {"hex", FMT_TEXT_HEX},     {"asm", FMT_ASM_ADI_PM},
        {"dsp", FMT_ASM_ADI_PM},  {"pm", FMT_ASM_ADI_PM},    {"bin", FMT_BINARY_FLOAT}, {"dat", FMT_BINARY_FLOAT},
        {"txt", FMT_TEXT_DECIMAL}, {"csv", FMT_TEXT_CSV},
        {"npy", FMT_BINARY_NPY},  {"sigmf-meta", FMT_BINARY_SIGMF}, {"sigmf-data", FMT_BINARY_SIGMF},
        // The names SDR receivers and GNU Radio give their raw I/Q captures.
        {"cu8", FMT_BINARY_UINT8}, {"cs8", FMT_BINARY_INT8}, {"cs16", FMT_BINARY_INT16},
        {"cf32", FMT_BINARY_FLOAT}, {"cfile", FMT_BINARY_FLOAT},
    };
    const std::string name = FileNamePart(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 >= name.size()) return FMT_NONE;
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto it = byExtension.find(extension);
    return it == byExtension.end() ? FMT_NONE : it->second;
}

}  // namespace kv
