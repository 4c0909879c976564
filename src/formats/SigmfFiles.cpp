#include "formats/SigmfFiles.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include <nlohmann/json.hpp>

#include "formats/FormatHelpers.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

const std::string kMetaExtension = ".sigmf-meta";
const std::string kDataExtension = ".sigmf-data";
// The SigMF version that written metadata follows.
const char kVersion[] = "1.2.0";
// Metadata larger than this is not a description of a recording.
constexpr std::streamoff kMaxMetaBytes = std::streamoff{256} << 20;

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool Refuse(const std::string& path, const std::string& reason) {
    ErrorBox(FormatString(IDS_CANNOT_READ, path, reason));
    return false;
}

struct CTypeText {
    const char* text;
    SampleType type;
};
const CTypeText kTypes[] = {
    {"f32", SampleType::Float32}, {"f64", SampleType::Float64}, {"i32", SampleType::Int32},
    {"i16", SampleType::Int16},   {"u32", SampleType::UInt32},  {"u16", SampleType::UInt16},
    {"i8", SampleType::Int8},     {"u8", SampleType::UInt8},
};

// Parses a data type such as "cf32_le"; false for any other text.
bool ParseDatatype(const std::string& text, SampleType& type, bool& complex, bool& big) {
    if (text.size() < 3 || (text[0] != 'c' && text[0] != 'r')) return false;
    complex = text[0] == 'c';
    std::string rest = text.substr(1);
    big = false;
    bool ordered = false;
    if (EndsWith(rest, "_le") || EndsWith(rest, "_be")) {
        big = EndsWith(rest, "_be");
        ordered = true;
        rest.resize(rest.size() - 3);
    }
    for (const CTypeText& t : kTypes) {
        if (rest != t.text) continue;
        type = t.type;
        // Wider types need their byte order; bytes have none (a stated one
        // is taken as meaning nothing).
        return ordered || SampleSize(type) == 1;
    }
    return false;
}

// An unsigned integer field; false (with the field's name) when present and
// not an unsigned integer.
bool UnsignedField(const nlohmann::json& object, const char* key, uint64_t& value, const std::string& path) {
    auto it = object.find(key);
    if (it == object.end()) return true;
    if (!it->is_number_unsigned()) return Refuse(path, FormatString(IDS_WHY_SIGMF_FIELD, key));
    value = it->get<uint64_t>();
    return true;
}

std::string JsonError(const char* what) {
    std::string text(what);
    // "[json.exception.parse_error.101] parse error at line 1, ..." without the tag
    size_t close = text.find("] ");
    if (!text.empty() && text[0] == '[' && close != std::string::npos) text.erase(0, close + 2);
    return text;
}

}  // namespace

CSigmfPaths SigmfPathsOf(const std::string& path) {
    CSigmfPaths p;
    if (EndsWith(path, kDataExtension)) {
        std::string base = path.substr(0, path.size() - kDataExtension.size());
        p.m_strMeta = base + kMetaExtension;
        p.m_strData = path;
    } else if (EndsWith(path, kMetaExtension)) {
        std::string base = path.substr(0, path.size() - kMetaExtension.size());
        p.m_strMeta = path;
        p.m_strData = base + kDataExtension;
    } else {
        // Another name: the base name of the pair.
        p.m_strMeta = path + kMetaExtension;
        p.m_strData = path + kDataExtension;
    }
    return p;
}

std::string SigmfDatatype(SampleType type, bool complex, bool bigEndian) {
    std::string text = complex ? "c" : "r";
    for (const CTypeText& t : kTypes)
        if (t.type == type) text += t.text;
    if (SampleSize(type) > 1) text += bigEndian ? "_be" : "_le";
    return text;
}

bool ReadSigmfMeta(const CSigmfPaths& paths, CSigmfRecording& rec) {
    const std::string& path = paths.m_strMeta;
    std::ifstream in(path, std::ios::binary);
    if (!in) return Refuse(path, FormatString(IDS_WHY_SIGMF_NO_DATA_FILE, path));
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0 || size > kMaxMetaBytes) return Refuse(path, LoadString(IDS_WHY_JSON_NOT_OBJECT));
    std::string text(static_cast<size_t>(size), '\0');
    in.read(text.data(), size);
    text.resize(static_cast<size_t>(in.gcount()));

    nlohmann::json meta;
    try {
        meta = nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        return Refuse(path, FormatString(IDS_WHY_JSON, JsonError(e.what())));
    }
    if (!meta.is_object()) return Refuse(path, LoadString(IDS_WHY_JSON_NOT_OBJECT));
    auto global = meta.find("global");
    if (global == meta.end() || !global->is_object()) return Refuse(path, LoadString(IDS_WHY_SIGMF_NO_GLOBAL));

    auto datatype = global->find("core:datatype");
    if (datatype == global->end() || !datatype->is_string())
        return Refuse(path, LoadString(IDS_WHY_SIGMF_NO_DATATYPE));
    SampleType type = SampleType::Float64;
    bool complex = false, big = false;
    if (!ParseDatatype(datatype->get<std::string>(), type, complex, big))
        return Refuse(path, FormatString(IDS_WHY_SIGMF_DATATYPE, datatype->get<std::string>()));

    auto only = global->find("core:metadata_only");
    if (only != global->end() && only->is_boolean() && only->get<bool>())
        return Refuse(path, LoadString(IDS_WHY_SIGMF_METADATA_ONLY));

    CSigmfRecording r;
    r.m_bComplex = complex;
    uint64_t channels = 1;
    if (!UnsignedField(*global, "core:num_channels", channels, path)) return false;
    if (channels < 1 || channels > 65535) return Refuse(path, FormatString(IDS_WHY_SIGMF_FIELD, "core:num_channels"));
    r.m_nChannels = static_cast<uint32_t>(channels);
    if (!UnsignedField(*global, "core:trailing_bytes", r.m_nTrailingBytes, path)) return false;

    auto rate = global->find("core:sample_rate");
    if (rate != global->end()) {
        if (!rate->is_number() || !std::isfinite(rate->get<double>()) || rate->get<double>() <= 0.0)
            return Refuse(path, FormatString(IDS_WHY_SIGMF_FIELD, "core:sample_rate"));
        r.m_dSampleRate = rate->get<double>();
    }

    // A non-conforming dataset is named in the metadata; it lies beside it.
    r.m_strDataPath = paths.m_strData;
    auto dataset = global->find("core:dataset");
    if (dataset != global->end()) {
        if (!dataset->is_string() || FileNamePart(dataset->get<std::string>()).empty())
            return Refuse(path, FormatString(IDS_WHY_SIGMF_FIELD, "core:dataset"));
        r.m_strDataPath = DirectoryPart(path) + FileNamePart(dataset->get<std::string>());
    }

    auto captures = meta.find("captures");
    if (captures != meta.end() && !captures->is_array())
        return Refuse(path, FormatString(IDS_WHY_SIGMF_FIELD, "captures"));
    if (captures != meta.end()) {
        for (const nlohmann::json& capture : *captures) {
            if (!capture.is_object()) return Refuse(path, FormatString(IDS_WHY_SIGMF_FIELD, "captures"));
            CSigmfRecording::CSegment segment;
            if (!UnsignedField(capture, "core:sample_start", segment.m_nSampleStart, path) ||
                !UnsignedField(capture, "core:header_bytes", segment.m_nHeaderBytes, path))
                return false;
            // Segments come in the order of their samples.
            if (!r.m_segments.empty() && segment.m_nSampleStart < r.m_segments.back().m_nSampleStart)
                return Refuse(path, FormatString(IDS_WHY_SIGMF_FIELD, "core:sample_start"));
            r.m_segments.push_back(segment);
        }
    }
    if (r.m_segments.empty()) r.m_segments.push_back({});

    r.m_layout.m_type = type;
    r.m_layout.m_bBigEndian = big;
    r.m_layout.m_nPerFrame = static_cast<int32_t>(r.m_nChannels * (complex ? 2 : 1));
    r.m_layout.m_nQuadrature = 1;
    switch (type) {
        case SampleType::Int8: r.m_layout.m_dDivisor = 128.0; break;
        case SampleType::UInt8: r.m_layout.m_dOffset = r.m_layout.m_dDivisor = 128.0; break;
        case SampleType::Int16: r.m_layout.m_dDivisor = 32768.0; break;
        case SampleType::UInt16: r.m_layout.m_dOffset = r.m_layout.m_dDivisor = 32768.0; break;
        case SampleType::Int32: r.m_layout.m_dDivisor = 2147483648.0; break;
        case SampleType::UInt32: r.m_layout.m_dOffset = r.m_layout.m_dDivisor = 2147483648.0; break;
        default: break;
    }
    rec = std::move(r);
    return true;
}

std::string SigmfMetaText(bool complex, double sampleRate, const std::string& description) {
    nlohmann::ordered_json global;
    global["core:datatype"] = complex ? "cf64_le" : "rf64_le";
    // The schema takes rates above 0 up to 1e12 samples per second.
    if (std::isfinite(sampleRate) && sampleRate > 0.0 && sampleRate <= 1e12) global["core:sample_rate"] = sampleRate;
    global["core:version"] = kVersion;
    global["core:description"] = description;
    global["core:recorder"] = LoadString(IDS_APP_NAME);
    nlohmann::ordered_json meta;
    meta["global"] = global;
    meta["captures"] = nlohmann::ordered_json::array({nlohmann::ordered_json{{"core:sample_start", 0}}});
    meta["annotations"] = nlohmann::ordered_json::array();
    // Texts that are not UTF-8 are written with replacement characters
    // rather than refused.
    return meta.dump(4, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace kv
