#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/SampleFrames.h"

namespace kv {

// The names of a SigMF recording's two files for a path that names either
// of them, or their common base name.
struct CSigmfPaths {
    std::string m_strMeta;
    std::string m_strData;
};
CSigmfPaths SigmfPathsOf(const std::string& path);

// What a SigMF metadata file says of its recording, as far as a signal read
// needs it.
struct CSigmfRecording {
    // One frame holds one sample of every channel; a complex sample is two
    // values, Inphase first.
    CSampleLayout m_layout;
    bool m_bComplex = false;
    uint32_t m_nChannels = 1;
    double m_dSampleRate = 0.0;  // Hz; 0 when the metadata states none
    std::string m_strDataPath;   // the dataset file
    // The capture segments in order: the sample index at which each starts
    // and the bytes of other data (a non-conforming dataset's headers) that
    // come before its samples.
    struct CSegment {
        uint64_t m_nSampleStart = 0;
        uint64_t m_nHeaderBytes = 0;
    };
    std::vector<CSegment> m_segments;
    uint64_t m_nTrailingBytes = 0;  // bytes of other data at the end of the dataset
};

// Reads and checks the metadata file: a JSON object with a "global" object
// that states core:datatype (cf32, cf64, ci32, ci16, ci8, cu8, the unsigned
// 16- and 32-bit types and the real forms of all, little or big endian), and
// optionally core:sample_rate, core:num_channels, core:dataset and
// core:trailing_bytes; the captures' core:sample_start and core:header_bytes.
// Shows "Cannot read" with the path and the reason and returns false when the
// metadata cannot be used.
bool ReadSigmfMeta(const CSigmfPaths& paths, CSigmfRecording& recording);

// The text of the metadata file of a recording written by the program:
// core:datatype (cf64_le for complex data, rf64_le for real data),
// core:sample_rate when the rate is known (greater than 0), core:version and
// core:description, one capture from sample 0 and no annotations.
std::string SigmfMetaText(bool complex, double sampleRate, const std::string& description);

// The SigMF data type text of a sample type ("ci16_le", "rf32_be", "cu8").
std::string SigmfDatatype(SampleType type, bool complex, bool bigEndian);

}  // namespace kv
