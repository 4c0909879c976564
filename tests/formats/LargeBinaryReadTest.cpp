// Large reads of binary samples: shared between threads and converted with
// vector instructions where the processor has them. Whatever the path, every
// value must be the one a plain per-sample conversion gives, the parts must
// join without a gap or an overlap, and the file's position must end right
// after the frames read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "data/CDataColumn.h"
#include "formats/CFileReader.h"
#include "formats/FormatsTestSupport.h"
#include "formats/SampleFrames.h"
#include "platform/CProgress.h"
#include "platform/CWorkerPool.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::WriteBytes;

namespace {

// Sets the threads and the conversion for one test, and restores both.
class CReadPath {
public:
    CReadPath(int threads, bool vector)
        : m_threads(CWorkerPool::SetThreadLimit(threads)), m_vector(SetVectorConversion(vector)) {}
    ~CReadPath() {
        CWorkerPool::SetThreadLimit(m_threads);
        SetVectorConversion(m_vector);
    }
    CReadPath(const CReadPath&) = delete;
    CReadPath& operator=(const CReadPath&) = delete;

private:
    int m_threads;
    bool m_vector;
};

std::string RandomBytes(size_t n, uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; i += 8) {
        const uint64_t r = rng();
        std::memcpy(&bytes[i], &r, std::min<size_t>(8, n - i));
    }
    return bytes;
}

// The value the sample at p stands for, worked out from its bytes here.
double Expected(const unsigned char* p, const CSampleLayout& l) {
    const size_t n = SampleSize(l.m_type);
    uint64_t u = 0;
    for (size_t b = 0; b < n; ++b) u |= uint64_t{p[l.m_bBigEndian ? n - 1 - b : b]} << (8 * b);
    switch (l.m_type) {
        case SampleType::Float32: {
            const uint32_t w = static_cast<uint32_t>(u);
            float f;
            std::memcpy(&f, &w, sizeof f);
            return f;
        }
        case SampleType::Float64: {
            double d;
            std::memcpy(&d, &u, sizeof d);
            return d;
        }
        case SampleType::UInt8:
        case SampleType::UInt16:
        case SampleType::UInt32: return (static_cast<double>(u) - l.m_dOffset) / l.m_dDivisor;
        default: {
            // Sign-extend from n bytes.
            const int64_t s = static_cast<int64_t>(u << (64 - 8 * n)) >> (64 - 8 * n);
            return (static_cast<double>(s) - l.m_dOffset) / l.m_dDivisor;
        }
    }
}

// Bitwise equality (NaNs of the float layouts included), reporting the first
// difference only.
void ExpectSameBits(const CDataColumn& column, int32_t from, const std::vector<double>& expected, const char* what) {
    ASSERT_EQ(static_cast<size_t>(column.GetSize() - from), expected.size()) << what;
    for (size_t j = 0; j < expected.size(); ++j) {
        const double got = column[from + static_cast<int32_t>(j)];
        if (std::memcmp(&got, &expected[j], sizeof got) != 0) {
            ADD_FAILURE() << what << ": value " << j << " is " << got << ", not " << expected[j];
            return;
        }
    }
}

struct CLayoutCase {
    SampleType type;
    double offset, divisor;
};

// Reads `frames` frames of a file that starts with `skip` bytes of another
// kind and ends with part of a frame, into columns already holding values.
// Checks the values, what is left in the file, and that a second read takes
// up exactly where the first stopped.
void CheckRead(const std::string& path, const CSampleLayout& layout, bool two, size_t skip, size_t frames,
               const char* what) {
    const size_t frameBytes = layout.FrameBytes();
    const std::string bytes = RandomBytes(skip + frames * frameBytes + frameBytes / 2, frames + skip);
    WriteBytes(path, bytes);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data()) + skip;
    std::vector<double> ei, eq;
    for (size_t j = 0; j < frames; ++j) {
        ei.push_back(Expected(data + j * frameBytes, layout));
        if (two) eq.push_back(Expected(data + j * frameBytes + SampleSize(layout.m_type) * layout.m_nQuadrature, layout));
    }
    CDataColumn ci, cq;
    ci.Append(-7.0);
    cq.Append(-8.0);
    CFileReader file;
    ASSERT_TRUE(file.Open(path));
    file.Skip(skip);
    // All but the last three frames, then the rest.
    EXPECT_EQ(ReadSampleFrames(file, layout, frames - 3, ci, two ? &cq : nullptr), frames - 3) << what;
    EXPECT_EQ(file.Tell(), skip + (frames - 3) * frameBytes) << what;
    EXPECT_EQ(ReadSampleFrames(file, layout, UINT64_MAX, ci, two ? &cq : nullptr), 3u) << what;
    EXPECT_EQ(file.Remaining(), frameBytes / 2) << what;
    EXPECT_EQ(ci[0], -7.0);
    ExpectSameBits(ci, 1, ei, what);
    if (two) {
        EXPECT_EQ(cq[0], -8.0);
        ExpectSameBits(cq, 1, eq, what);
    } else {
        EXPECT_EQ(cq.GetSize(), 1);
    }
}

// Every layout of the cases, both byte orders, one and two columns, with
// several threads and vector conversion, and with one thread and the
// per-sample conversion: the values are those worked out from the bytes, bit
// for bit.
void CheckLayouts(const std::vector<CLayoutCase>& cases) {
    CScriptedPlatform platform;
    CTempDir dir;
    const std::string path = dir / "samples.bin";
    for (const CLayoutCase& c : cases)
        for (bool big : {false, true})
            for (bool two : {true, false}) {
                if (big && SampleSize(c.type) == 1) continue;  // no byte order
                CSampleLayout layout;
                layout.m_type = c.type;
                layout.m_bBigEndian = big;
                layout.m_nPerFrame = two ? 2 : 1;
                layout.m_nQuadrature = 1;
                layout.m_dOffset = c.offset;
                layout.m_dDivisor = c.divisor;
                // Enough values to be shared between threads; an odd number
                // of frames that is no multiple of a vector's, after an odd
                // number of bytes.
                const size_t frames = kParallelReadBytes / sizeof(double) / (two ? 2 : 1) + 4099;
                const std::string what = "type " + std::to_string(static_cast<int>(c.type)) + " / " +
                                         std::to_string(c.divisor) + (big ? " big" : " little") +
                                         (two ? " two columns" : " one column");
                {
                    CReadPath parallel(2, true);
                    CheckRead(path, layout, two, 3, frames, (what + ", threads").c_str());
                }
                if (big == two) {
                    CReadPath alone(1, false);
                    CheckRead(path, layout, two, 3, frames, (what + ", alone").c_str());
                }
            }
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace

TEST(LargeBinaryReads, EightBitSamplesReadTheSameValuesWhateverThePath) {
    // Signed, receivers' unsigned bytes, and a divisor that is no power of two.
    CheckLayouts({{SampleType::Int8, 0.0, 128.0}, {SampleType::UInt8, 128.0, 128.0}, {SampleType::Int8, 0.0, 100.0}});
}

TEST(LargeBinaryReads, SixteenBitSamplesReadTheSameValuesWhateverThePath) {
    // Raw integers, WAVE's w / 32767, unsigned with an offset.
    CheckLayouts({{SampleType::Int16, 0.0, 32768.0},
                  {SampleType::Int16, 0.0, 32767.0},
                  {SampleType::UInt16, 32768.0, 32768.0}});
}

TEST(LargeBinaryReads, WiderSamplesReadTheSameValuesWhateverThePath) {
    CheckLayouts({{SampleType::Int24, 0.0, 8388607.0},
                  {SampleType::Int32, 0.0, 2147483648.0},
                  {SampleType::Float32, 0.0, 1.0},
                  {SampleType::Float64, 0.0, 1.0}});
}

// Frames of three samples (the WAVE files of several channels): the first
// and the second sample of each frame, the third skipped.
TEST(LargeBinaryReads, FramesOfMoreChannelsGiveTheirFirstTwo) {
    CScriptedPlatform platform;
    CTempDir dir;
    CReadPath parallel(2, true);
    CSampleLayout layout;
    layout.m_type = SampleType::Int16;
    layout.m_nPerFrame = 3;
    layout.m_nQuadrature = 1;
    layout.m_dDivisor = 32767.0;
    CheckRead((dir / "three.wav"), layout, true, 44, kParallelReadBytes / 16 + 1, "three channels");
}

// The 16-bit WAVE conversion of a large file is worked out without a division
// per sample: every one of the 65536 words must still read as w / 32767.
TEST(LargeBinaryReads, EverySixteenBitWordReadsAsItsExactQuotient) {
    CScriptedPlatform platform;
    CTempDir dir;
    CReadPath parallel(2, true);
    const size_t frames = kParallelReadBytes / 16 * 2;  // every word, many times over, in both columns
    std::string bytes(frames * 4, '\0');
    for (size_t i = 0; i < 2 * frames; ++i) {
        const uint16_t w = static_cast<uint16_t>(i * 40503u);  // odd: each word once per 65536
        bytes[2 * i] = static_cast<char>(w & 0xff);
        bytes[2 * i + 1] = static_cast<char>(w >> 8);
    }
    const std::string path = (dir / "words.wav");
    WriteBytes(path, bytes);
    CSampleLayout layout;
    layout.m_type = SampleType::Int16;
    layout.m_nPerFrame = 2;
    layout.m_nQuadrature = 1;
    layout.m_dDivisor = 32767.0;
    CFileReader file;
    ASSERT_TRUE(file.Open(path));
    CDataColumn ci, cq;
    ASSERT_EQ(ReadSampleFrames(file, layout, UINT64_MAX, ci, &cq), frames);
    for (size_t i = 0; i < 2 * frames; ++i) {
        const int16_t w = static_cast<int16_t>(static_cast<uint16_t>(i * 40503u));
        const double got = (i % 2 ? cq : ci)[static_cast<int32_t>(i / 2)];
        const double exact = w / 32767.0;
        ASSERT_EQ(std::memcmp(&got, &exact, sizeof got), 0) << "word " << w << " reads as " << got;
    }
    EXPECT_EQ(ci[0], 0.0);
    EXPECT_FALSE(std::signbit(ci[0]));
}

// The user stops a large read: nothing of it stays in the columns.
TEST(LargeBinaryReads, StoppingLeavesTheColumnsAsTheyWere) {
    CScriptedPlatform platform;
    platform.stopAtProgress = 1;
    const auto delay = CProgress::SetShowDelay(std::chrono::milliseconds(0));
    CTempDir dir;
    const std::string path = (dir / "stop.i16");
    WriteBytes(path, RandomBytes(kParallelReadBytes, 5));
    for (int threads : {2, 1}) {
        CReadPath p(threads, true);
        CSampleLayout layout;
        layout.m_type = SampleType::Int16;
        layout.m_nPerFrame = 2;
        layout.m_dDivisor = 32768.0;
        CDataColumn ci, cq;
        ci.Append(1.0);
        cq.Append(2.0);
        CFileReader file;
        ASSERT_TRUE(file.Open(path));
        bool stopped = false;
        try {
            CProgress progress("Reading");
            ReadSampleFrames(file, layout, UINT64_MAX, ci, &cq);
        } catch (const COperationCancelled&) {
            stopped = true;
        }
        EXPECT_TRUE(stopped) << threads << " threads";
        if (threads > 1) {
            // A stopped parallel read takes back what its parts had filled.
            EXPECT_EQ(ci.GetSize(), 1);
            EXPECT_EQ(cq.GetSize(), 1);
        }
        EXPECT_EQ(ci[0], 1.0);
        EXPECT_EQ(cq[0], 2.0);
    }
    CProgress::SetShowDelay(delay);
}

// Through the file formats: a large big-endian Binary:int16 capture behind a
// header of another program, read in parallel as it is read alone.
TEST(LargeBinaryReads, RawIntegerFilesReadTheSameInParallel) {
    CScriptedPlatform platform;
    CTempDir dir;
    const std::string path = (dir / "capture.i16");
    const size_t frames = kParallelReadBytes / 16 + 77;
    WriteBytes(path, RandomBytes(5 + frames * 4 + 1, 9));
    CDataFormat format(FMT_BINARY_INT16);
    format.m_RawInt.m_bBigEndian = 1;
    format.m_RawInt.m_nSkipBytes = 5;
    CDataSetIO together = kv::test::Target(), alone = kv::test::Target();
    {
        CReadPath parallel(2, true);
        CDataFormat f = format;
        ASSERT_TRUE(ReadSignalFile(together, f, path, 0, 1));
    }
    {
        CReadPath single(1, false);
        CDataFormat f = format;
        ASSERT_TRUE(ReadSignalFile(alone, f, path, 0, 1));
    }
    ASSERT_EQ(together.GetCount(), static_cast<int32_t>(frames));
    EXPECT_EQ(kv::test::Values(together.GetColumn(0)), kv::test::Values(alone.GetColumn(0)));
    EXPECT_EQ(kv::test::Values(together.GetColumn(1)), kv::test::Values(alone.GetColumn(1)));
    // The first frame's bytes, big-endian, after the five skipped.
    const std::string bytes = kv::test::ReadBytes(path);
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data()) + 5;
    EXPECT_EQ(together.GetValue(0, 0), static_cast<int16_t>(b[0] << 8 | b[1]) / 32768.0);
    EXPECT_EQ(together.GetValue(1, 0), static_cast<int16_t>(b[2] << 8 | b[3]) / 32768.0);
    EXPECT_TRUE(platform.messages.empty());
}

// The reader mixes its buffer, reads straight into the caller's memory and
// reads at offsets: every byte must come once, in order, wherever a request
// starts and however large it is.
TEST(FileReader, MixedReadsGiveEveryByteInOrder) {
    CTempDir dir;
    const std::string path = dir / "bytes.bin";
    const std::string bytes = RandomBytes((size_t{3} << 20) + 12345, 3);
    WriteBytes(path, bytes);
    CFileReader file;
    ASSERT_TRUE(file.Open(path));
    std::string got;
    std::vector<char> block(size_t{2} << 20);
    // A header's few bytes, a byte looked at, then requests of every size:
    // small ones through the buffer, large ones around it.
    const size_t sizes[] = {44, 1, 100, 70000, 5, (size_t{1} << 20) + 3, 4096, 65535, 65536, size_t{2} << 20};
    size_t k = 0;
    EXPECT_EQ(file.Peek(), static_cast<unsigned char>(bytes[0]));
    while (!file.AtEnd()) {
        const size_t want = sizes[k++ % std::size(sizes)];
        const uint64_t at = file.Tell();
        const size_t n = file.Read(block.data(), want);
        ASSERT_EQ(n, std::min<uint64_t>(want, bytes.size() - at));
        got.append(block.data(), n);
        EXPECT_EQ(file.Tell(), got.size());
    }
    EXPECT_EQ(got, bytes);
    EXPECT_FALSE(file.Failed());
    // Reads at offsets leave the position alone and stop at the end.
    file.Rewind();
    ASSERT_EQ(file.Read(block.data(), 10), 10u);
    EXPECT_EQ(file.ReadAt(block.data(), 1000, 77), 1000u);
    EXPECT_EQ(std::string(block.data(), 1000), bytes.substr(77, 1000));
    EXPECT_EQ(file.ReadAt(block.data(), 1000, bytes.size() - 10), 10u);
    EXPECT_EQ(std::string(block.data(), 10), bytes.substr(bytes.size() - 10));
    EXPECT_EQ(file.ReadAt(block.data(), 1000, bytes.size() + 5), 0u);
    EXPECT_EQ(file.Tell(), 10u);
    ASSERT_EQ(file.Read(block.data(), 5), 5u);
    EXPECT_EQ(std::string(block.data(), 5), bytes.substr(10, 5));
}
