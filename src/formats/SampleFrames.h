#pragma once
#include <cstddef>
#include <cstdint>

namespace kv {

class CDataColumn;
class CFileReader;

// The sample encodings of the binary formats.
enum class SampleType : uint8_t { Int8, UInt8, Int16, UInt16, Int24, Int32, UInt32, Float32, Float64 };

// Bytes of one sample of the type.
size_t SampleSize(SampleType type);

// How the samples of a binary file lie and what value each one stands for.
// A frame is m_nPerFrame samples; a read takes its first sample as the
// Inphase value and, in two-channel mode, the sample at m_nQuadrature as the
// Quadrature value, and skips the rest. An integer sample s stands for
// (s - m_dOffset) / m_dDivisor, computed in doubles (so the result is the
// exactly rounded quotient); a floating-point sample stands for itself.
struct CSampleLayout {
    SampleType m_type = SampleType::Float64;
    bool m_bBigEndian = false;
    int32_t m_nPerFrame = 1;
    int32_t m_nQuadrature = 1;
    double m_dOffset = 0.0;
    double m_dDivisor = 1.0;

    size_t FrameBytes() const { return SampleSize(m_type) * static_cast<size_t>(m_nPerFrame); }
};

// Reads that produce at least this many bytes of values (in both columns
// together) from a regular file are shared between threads.
constexpr size_t kParallelReadBytes = size_t{8} << 20;

// Reads up to `frames` frames from the file's current position and appends
// their values to the Inphase column and, when cq is given, the Quadrature
// column. Stops early at the end of the file (a partial frame at the end is
// dropped) and when a column is full (with a warning). The columns take room
// for no more frames than the rest of the file holds. Returns the number of
// frames read.
uint64_t ReadSampleFrames(CFileReader& file, const CSampleLayout& layout, uint64_t frames, CDataColumn& ci,
                          CDataColumn* cq);

// Whether 8- and 16-bit samples are converted with the processor's vector
// instructions where it has them (the default); returns the previous
// setting. For tests and benchmarks, which compare both conversions.
bool SetVectorConversion(bool on);

}  // namespace kv
