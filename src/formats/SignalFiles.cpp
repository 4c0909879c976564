#include "formats/SignalFiles.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "data/CDataSetIO.h"
#include "data/CKalvoData.h"
#include "formats/CFileReader.h"
#include "formats/CodeFormats.h"
#include "formats/CsvFiles.h"
#include "formats/FormatCatalogue.h"
#include "formats/FormatHelpers.h"
#include "formats/NpyFiles.h"
#include "formats/NumberText.h"
#include "formats/SampleFrames.h"
#include "formats/SigmfFiles.h"
#include "formats/WaveFiles.h"
#include "platform/CPlatform.h"
#include "platform/CProgress.h"
#include "platform/StringTable.h"
#include "platform/SystemMemory.h"

namespace kv {

static_assert(std::endian::native == std::endian::little, "the binary formats are written as they lie in memory");

namespace {

constexpr int32_t kMaxColumnLength = std::numeric_limits<int32_t>::max();

bool ValidColumn(const CDataSet& data, int32_t column) { return column >= 0 && column < data.GetColumnCount(); }

// ---------------------------------------------------------------------------
// Reading

// Takes the low `bits` bits of v as a two's-complement number.
inline int64_t SignExtend(uint64_t v, int bits) {
    if (bits >= 64) return static_cast<int64_t>(v);
    int shift = 64 - bits;
    return static_cast<int64_t>(v << shift) >> shift;
}

// Two binary words of a Text:Binary line, read from a shared position; only
// the first 256 characters take part. Returns the number of words obtained.
int ScanBinaryWords(const char* b, const char* e, uint64_t* words) {
    const long len = e - b;
    auto at = [&](long i) -> char {
        if (i >= len) return '\0';
        return b[i] == ',' ? ' ' : b[i];
    };
    long pos = 0;
    int got = 0;
    for (int w = 0; w < 2; ++w) {
        while (at(pos) == ' ') {
            if (++pos >= 256) return got;
        }
        uint64_t v = 0;
        int digits = 0;
        for (;;) {
            if (pos >= 256) return got;
            char c = at(pos);
            if (c == ' ' || c == '\0') break;
            if (c == '0' || c == '1') {
                v = (v << 1) | static_cast<uint64_t>(c - '0');
                ++digits;
            }
            ++pos;
        }
        if (digits == 0) return got;
        words[got++] = v;
    }
    return got;
}

// Whether `values` values for each of `columns` columns fit into the memory
// still available; if not, says how much the file needs and returns false.
bool FitsInMemory(uint64_t values, int columns, const std::string& path) {
    const uint64_t needed = values * sizeof(double) * static_cast<uint64_t>(columns);
    const uint64_t available = AvailableMemory();
    if (needed <= available) return true;
    std::string text = FormatString(IDS_FILE_NEEDS_MEMORY, path, MemorySizeText(needed));
    const size_t at = text.find("%3");
    if (at != std::string::npos) text.replace(at, 2, MemorySizeText(available));
    ErrorBox(text);
    return false;
}

// Appends values to the columns while they can grow; false (with a message)
// when the Inphase column is full. Capacity is added in large steps (the
// column's own growth step is small, and each step moves the whole block),
// or all at once when the number of values is known beforehand (a hint).
class CColumnSink {
public:
    CColumnSink(CDataColumn& inphase, CDataColumn* quadrature) : m_i(inphase), m_q(quadrature) {}
    void Hint(uint64_t count) { m_nHint = static_cast<int64_t>(std::min<uint64_t>(count, kMaxColumnLength)); }
    bool Room() {
        const int32_t size = m_i.GetSize();
        if (size < m_i.GetMaxSize() || size == 0) return true;  // the first value allocates the block
        if (size >= kMaxColumnLength) {
            WarningBox(FormatString(IDS_TOO_MANY_VALUES, std::to_string(size)));
            return false;
        }
        // The hint, while the values fit into it; beyond it, large steps.
        int64_t want = m_nHint > size ? m_nHint : size + std::max<int64_t>(size / 2, 4096);
        want = std::min<int64_t>(want, kMaxColumnLength);
        Grow(m_i, want);
        if (m_q) Grow(*m_q, want);
        return true;
    }
    void Add(double i) { m_i.Append(i); }
    void Add(double i, double q) {
        m_i.Append(i);
        m_q->Append(q);
    }

private:
    // Capacity for `count` values; the length stays (never 0 here).
    static void Grow(CDataColumn& c, int64_t count) {
        int32_t size = c.GetSize();
        if (size == 0 || count <= c.GetMaxSize()) return;
        c.SetSize(static_cast<int32_t>(count));
        c.SetSize(size);
    }

    CDataColumn& m_i;
    CDataColumn* m_q;
    int64_t m_nHint = 0;
};

// (see LineTooLong below)
bool LineTooLong(CFileReader& file, const std::string& path, CDataColumn& ci, CDataColumn* cq);

// Reads text records up to the first line that does not give the values.
// Returns false (the columns emptied, with a message) for a line longer
// than the reader takes, and, having read one line only, when the file
// (estimated from its first line) cannot fit into memory.
bool ReadTextRecords(CFileReader& file, const std::string& path, int32_t id, int bits, double scale, bool two,
                     CColumnSink& sink, CDataColumn& ci, CDataColumn* cq) {
    const char* b;
    const char* e;
    const int need = two ? 2 : 1;
    bool first = true;
    uint32_t line = 0;
    while (file.NextLine(b, e)) {
        if (!sink.Room()) return true;
        if ((++line & 0x3FFF) == 0) ReportProgress(file.Tell(), file.FileSize());
        double vi = 0.0, vq = 0.0;
        int n;
        switch (id) {
            case FMT_TEXT_PLOT:
            case FMT_TEXT_ANALYZER: {
                double v[3];
                n = ScanDoubles(b, e, v, need + 1, true) - 1;
                vi = v[1];
                vq = v[2];
                break;
            }
            case FMT_TEXT_FRACT: {
                int64_t v[2];
                n = ScanInt64s(b, e, v, need, true);
                vi = static_cast<double>(SignExtend(static_cast<uint64_t>(v[0]), bits)) * scale;
                vq = static_cast<double>(SignExtend(static_cast<uint64_t>(v[1]), bits)) * scale;
                break;
            }
            case FMT_TEXT_HEX: {
                uint64_t v[2];
                n = ScanHex64s(b, e, v, need, true);
                vi = static_cast<double>(SignExtend(v[0], bits)) * scale;
                vq = static_cast<double>(SignExtend(v[1], bits)) * scale;
                break;
            }
            case FMT_TEXT_BINARY: {
                uint64_t v[2];
                n = ScanBinaryWords(b, e, v);
                vi = static_cast<double>(SignExtend(v[0], bits)) * scale;
                vq = static_cast<double>(SignExtend(v[1], bits)) * scale;
                break;
            }
            case FMT_ASM_ADI_PM: {
                uint32_t v[2];
                n = ScanHex32s(b, e, v, need, true);
                vi = static_cast<double>(static_cast<int16_t>((v[0] >> 8) & 0xFFFF)) * scale;
                vq = static_cast<double>(static_cast<int16_t>((v[1] >> 8) & 0xFFFF)) * scale;
                break;
            }
            default: {  // Text:Decimal, Text:FIR
                double v[2];
                n = ScanDoubles(b, e, v, need, true);
                vi = v[0];
                vq = v[1];
                break;
            }
        }
        if (two) --n;
        if (n < 1) return true;
        if (first) {
            // Files of equal lines need one block of the right size.
            first = false;
            const uint64_t lines = file.FileSize() / static_cast<uint64_t>(std::max<long>(e - b + 1, 8)) + 16;
            if (!FitsInMemory(lines, two ? 2 : 1, path)) return false;
            sink.Hint(lines);
        }
        if (two)
            sink.Add(vi, vq);
        else
            sink.Add(vi);
    }
    return !LineTooLong(file, path, ci, cq);
}

// Reports a line longer than the reader takes, if the file met one: the
// columns are emptied. Returns true when it did.
bool LineTooLong(CFileReader& file, const std::string& path, CDataColumn& ci, CDataColumn* cq) {
    if (!file.LineTooLong()) return false;
    ci.SetSize(0);
    if (cq) cq->SetSize(0);
    ErrorBox(FormatString(IDS_CANNOT_READ, path,
                          FormatString(IDS_WHY_LINE_TOO_LONG, std::to_string(file.LineNumber()),
                                       std::to_string(CFileReader::kMaxLine))));
    return true;
}

bool Refuse(const std::string& path, const std::string& reason) {
    ErrorBox(FormatString(IDS_CANNOT_READ, path, reason));
    return false;
}

// The columns a read fills. The read is in two-channel mode when a
// Quadrature column was given and the file has two channels; a file of one
// channel gets the warning and is read into the Inphase column alone.
struct CReadTarget {
    CReadTarget(CDataSetIO& data, int32_t inphase, int32_t quadrature)
        : ci(data.GetColumn(inphase)), cq(quadrature != kNoColumn ? &data.GetColumn(quadrature) : nullptr) {}

    // Settles the mode for a file of the given number of channels and
    // empties the columns to be filled.
    void Begin(int32_t channels) {
        if (cq && channels < 2) {
            WarningBox(LoadString(IDS_ONE_CHANNEL_ONLY));
            cq = nullptr;
        }
        ci.SetSize(0);
        if (cq) cq->SetSize(0);
    }
    bool Two() const { return cq != nullptr; }
    // The columns a file of the given number of channels fills.
    int Used(int32_t channels) const { return cq && channels >= 2 ? 2 : 1; }

    CDataColumn& ci;
    CDataColumn* cq;
};

// The layout of the raw integer formats: interleaved Inphase and Quadrature
// samples (or one channel), each mapped to -1 ... 1 by 2^(bits-1).
CSampleLayout RawIntegerLayout(const CDataFormat& format, bool two) {
    CSampleLayout layout;
    switch (format.m_nFormat) {
        case FMT_BINARY_INT8: layout.m_type = SampleType::Int8; break;
        case FMT_BINARY_UINT8:
            layout.m_type = SampleType::UInt8;
            layout.m_dOffset = 128.0;
            break;
        case FMT_BINARY_INT16: layout.m_type = SampleType::Int16; break;
        default: layout.m_type = SampleType::Int32; break;
    }
    layout.m_bBigEndian = format.m_RawInt.m_bBigEndian != 0;
    layout.m_nPerFrame = two ? 2 : 1;
    layout.m_nQuadrature = 1;
    layout.m_dDivisor = FullScale(format);
    return layout;
}

bool ReadRawIntegers(CFileReader& file, const std::string& path, const CDataFormat& format, CReadTarget& t) {
    const uint64_t skip = static_cast<uint64_t>(std::max(format.m_RawInt.m_nSkipBytes, 0));
    if (file.SizeKnown() && skip > file.FileSize())
        return Refuse(path, FormatString(IDS_WHY_SKIP_BEYOND_END, std::to_string(skip)));
    file.Skip(skip);
    const CSampleLayout layout = RawIntegerLayout(format, t.Used(2) == 2);
    if (file.SizeKnown() && !FitsInMemory(file.Remaining() / layout.FrameBytes(), layout.m_nPerFrame, path))
        return false;
    t.Begin(2);
    ReadSampleFrames(file, layout, UINT64_MAX, t.ci, t.cq);
    return true;
}

bool ReadNpy(CFileReader& file, const std::string& path, CReadTarget& t) {
    CNpyArray array;
    if (!ReadNpyHeader(file, path, array)) return false;
    const int32_t channels = array.m_bComplex || array.m_nColumns == 2 ? 2 : 1;
    if (file.SizeKnown()) {
        const uint64_t rowBytes = SampleSize(array.m_type) *
                                  static_cast<uint64_t>(array.m_bComplex ? 2 : std::max<int64_t>(array.m_nColumns, 1));
        if (!FitsInMemory(std::min<uint64_t>(array.m_nRows, file.Remaining() / rowBytes), t.Used(channels), path))
            return false;
    }
    t.Begin(channels);
    CSampleLayout layout;
    layout.m_type = array.m_type;
    layout.m_bBigEndian = array.m_bBigEndian;
    switch (array.m_type) {
        case SampleType::Int8: layout.m_dDivisor = 128.0; break;
        case SampleType::Int16: layout.m_dDivisor = 32768.0; break;
        case SampleType::Int32: layout.m_dDivisor = 2147483648.0; break;
        default: break;
    }
    if (array.m_nColumns == 2 && array.m_bFortran) {
        // Column-major: all of the first column, then all of the second.
        layout.m_nPerFrame = 1;
        uint64_t got = ReadSampleFrames(file, layout, array.m_nRows, t.ci, nullptr);
        if (t.cq && got == array.m_nRows) ReadSampleFrames(file, layout, array.m_nRows, *t.cq, nullptr);
        if (t.cq && t.cq->GetSize() < t.ci.GetSize()) t.ci.SetSize(t.cq->GetSize());
        return true;
    }
    layout.m_nPerFrame = array.m_bComplex ? 2 : array.m_nColumns;
    layout.m_nQuadrature = 1;
    ReadSampleFrames(file, layout, array.m_nRows, t.ci, t.cq);
    return true;
}

bool ReadSigmf(const CSigmfPaths& paths, CDataFormat& format, CReadTarget& t) {
    CSigmfRecording rec;
    if (!ReadSigmfMeta(paths, rec)) return false;
    CFileReader file;
    if (!file.Open(rec.m_strDataPath))
        return Refuse(paths.m_strMeta, FormatString(IDS_WHY_SIGMF_NO_DATA_FILE, rec.m_strDataPath));
    const uint64_t frameBytes = rec.m_layout.FrameBytes();
    const uint64_t size = file.SizeKnown() ? file.FileSize() : UINT64_MAX;
    if (rec.m_nTrailingBytes > size) return Refuse(paths.m_strMeta, FormatString(IDS_WHY_SIGMF_FIELD, "core:trailing_bytes"));
    const uint64_t end = size - rec.m_nTrailingBytes;
    // Where the first segment's samples start must be in the file.
    const auto& first = rec.m_segments.front();
    const uint64_t firstByte = first.m_nHeaderBytes;
    if (firstByte > end || first.m_nSampleStart > UINT64_MAX / frameBytes)
        return Refuse(paths.m_strMeta, FormatString(IDS_WHY_SIGMF_OFFSET_BEYOND_FILE, std::to_string(firstByte),
                                                    std::to_string(size)));
    t.Begin(rec.m_bComplex || rec.m_nChannels >= 2 ? 2 : 1);
    const CSampleLayout& layout = rec.m_layout;
    // The segments' samples follow one another; each segment's headers come
    // before its samples. Segments that refer to samples beyond the file are
    // ignored.
    uint64_t headers = 0;
    for (size_t i = 0; i < rec.m_segments.size(); ++i) {
        const auto& s = rec.m_segments[i];
        if (s.m_nHeaderBytes > end - std::min(end, headers)) break;
        headers += s.m_nHeaderBytes;
        if (s.m_nSampleStart > (end - headers) / frameBytes) break;
        const uint64_t at = headers + s.m_nSampleStart * frameBytes;
        if (at < file.Tell()) break;  // segments that overlap: not a layout of samples
        file.Skip(at - file.Tell());
        uint64_t frames = (end - at) / frameBytes;
        if (i + 1 < rec.m_segments.size())
            frames = std::min(frames, rec.m_segments[i + 1].m_nSampleStart - s.m_nSampleStart);
        if (ReadSampleFrames(file, layout, frames, t.ci, t.cq) < frames) break;
    }
    if (file.Failed()) {
        ErrorBox(FormatString(IDS_READ_ERROR, rec.m_strDataPath));
        return false;
    }
    format.m_dFileRate = rec.m_dSampleRate;
    return true;
}

// ---------------------------------------------------------------------------
// Writing

// Output through a large buffer; remembers a failed write.
class COutBuffer {
public:
    explicit COutBuffer(std::FILE* file) : m_file(file), m_buffer(size_t{1} << 20) {}
    ~COutBuffer() { Flush(); }
    COutBuffer(const COutBuffer&) = delete;
    COutBuffer& operator=(const COutBuffer&) = delete;

    // Room for at least `count` more characters.
    char* Reserve(size_t count) {
        if (m_nUsed + count > m_buffer.size()) {
            Flush();
            if (count > m_buffer.size()) m_buffer.resize(count);
        }
        return m_buffer.data() + m_nUsed;
    }
    void Commit(char* end) { m_nUsed = static_cast<size_t>(end - m_buffer.data()); }
    void Put(const void* data, size_t count) {
        char* p = Reserve(count);
        std::memcpy(p, data, count);
        Commit(p + count);
    }
    void Flush() {
        if (m_nUsed && std::fwrite(m_buffer.data(), 1, m_nUsed, m_file) != m_nUsed) m_bFailed = true;
        m_nUsed = 0;
    }
    bool Failed() const { return m_bFailed; }

private:
    std::FILE* m_file;
    std::vector<char> m_buffer;
    size_t m_nUsed = 0;
    bool m_bFailed = false;
};

// The order of the records for a step. A step f > 1 writes the phases
// 0, f, 2f, ... then 1, 1 + f, ... ; a step -f starts at n - f and walks
// backwards, then starts again one sample later. Every sample is written once,
// also when n is not a multiple of f or f is larger than n.
class CStepWalk {
public:
    CStepWalk(int32_t n, int32_t step) : m_n(n), m_f(step == 0 ? 1 : std::llabs(static_cast<int64_t>(step))),
                                         m_bReverse(step < 0) {
        m_index = m_bReverse ? m_n - m_f : 0;
        Settle();
    }
    int32_t Index() const { return static_cast<int32_t>(m_index); }
    void Next() {
        m_index += m_bReverse ? -m_f : m_f;
        Settle();
    }

private:
    // Moves to the start of the next phase when the index has left the data.
    void Settle() {
        if (m_n <= 0) return;
        while (m_index < 0 || m_index >= m_n) {
            if (++m_phase >= m_f) {  // cannot happen while records remain
                m_index = 0;
                return;
            }
            m_index = m_bReverse ? m_n - m_f + m_phase : m_phase;
        }
    }

    int64_t m_n;
    int64_t m_f;
    bool m_bReverse;
    int64_t m_index = 0;
    int64_t m_phase = 0;
};

// Rounds half away from zero to a 64-bit integer; values beyond the range
// saturate and NaN gives 0.
inline int64_t RoundToInt64(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 9223372036854775808.0) return std::numeric_limits<int64_t>::max();
    if (x < -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
    int64_t i = static_cast<int64_t>(x);   // toward zero
    double rest = x - static_cast<double>(i);  // exact
    if (rest >= 0.5) return i + 1;
    if (rest <= -0.5) return i - 1;
    return i;
}

// Keeps the last w characters of [b, e) (moving them to b); returns the end.
inline char* KeepLast(char* b, char* e, int w) {
    long len = e - b;
    if (len <= w) return e;
    std::memmove(b, e - w, static_cast<size_t>(w));
    return b + w;
}

// printf("%<w>I64i") cut to its last w characters.
inline char* PutFract(char* p, int64_t v, int w) {
    char digits[32];
    char* de = PrintInt64(digits, v);
    long len = de - digits;
    char* start = p;
    for (long i = len; i < w; ++i) *p++ = ' ';
    std::memcpy(p, digits, static_cast<size_t>(len));
    return KeepLast(start, p + len, w);
}

// The last w upper-case hexadecimal digits of the 64-bit pattern.
inline char* PutHex(char* p, uint64_t v, int w) {
    static const char kHex[] = "0123456789ABCDEF";
    for (int i = w - 1; i >= 0; --i) {
        p[i] = i >= w - 16 ? kHex[v & 0xF] : '0';
        if (i >= w - 16) v >>= 4;
    }
    return p + w;
}

// The last `bits` binary digits of the 64-bit pattern.
inline char* PutBinary(char* p, uint64_t v, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + (v & 1));
        v >>= 1;
    }
    return p + bits;
}

// Rounds to the nearest integer (half away from zero) and limits it to
// lo ... hi; NaN gives 0.
inline int64_t RoundSaturate(double x, int64_t lo, int64_t hi) { return std::clamp(RoundToInt64(x), lo, hi); }

inline char* PutBytes(char* p, uint64_t v, int bytes, bool big) {
    for (int i = 0; i < bytes; ++i) p[big ? bytes - 1 - i : i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return p + bytes;
}

// Formats whose words cannot hold a value that is not a finite number.
bool NeedsFiniteValues(const CDataFormat& format) {
    switch (format.m_nFormat) {
        case FMT_TEXT_FRACT:
        case FMT_TEXT_HEX:
        case FMT_TEXT_BINARY:
        case FMT_TEXT_C:
        case FMT_ASM_TI:
        case FMT_ASM_ADI_PM:
        case FMT_BINARY_WAVE:
        case FMT_WAVE_8:
        case FMT_WAVE_16:
        case FMT_BINARY_INT8:
        case FMT_BINARY_UINT8:
        case FMT_BINARY_INT16:
        case FMT_BINARY_INT32: return true;
        default: return false;
    }
}

bool AllFinite(const CDataColumn& c, int32_t n) {
    const double* d = c.GetData();
    for (int32_t i = 0; i < n; ++i)
        if (!std::isfinite(d[i])) return false;
    return true;
}

// The smallest and largest value over all columns; NaN is left out, so it
// cannot hide the values around it.
void ValueRange(const CDataSet& data, double& lo, double& hi) {
    lo = std::numeric_limits<double>::infinity();
    hi = -lo;
    for (int32_t k = 0; k < data.GetColumnCount(); ++k) {
        const CDataColumn& c = data.GetColumn(k);
        const double* d = c.GetData();
        double a = lo, b = hi;
        for (int32_t i = 0; i < c.GetSize(); ++i) {
            // Comparisons with NaN are false: it changes neither bound.
            a = d[i] < a ? d[i] : a;
            b = d[i] > b ? d[i] : b;
        }
        lo = a;
        hi = b;
    }
}

// The scale of a write: the value that 1.0 becomes in the file, the word
// length, and the smallest value whose word fits (-2^(bits-1) / full scale,
// which is what the most negative word reads back as).
struct CWriteScale {
    int32_t m_nFormat;  // the working format of the write
    double m_dFullScale;
    int m_nBits;
    double m_dLowest;
};

CWriteScale WriteScaleOf(const CDataFormat& format) {
    CDataFormat effective;
    effective.m_FixedPoint.m_nBits = format.m_FixedPoint.m_nBits;
    effective.m_nFormat = format.m_nFormat;
    CWriteScale s{format.m_nFormat, 1.0, 0, -1.0};
    if (format.IsWave()) {
        const int32_t size = format.m_WavFmt.m_nSizeChoice;
        bool isFloat;
        const uint32_t bits = WaveWriteBits(size, isFloat);
        effective.m_nFormat = bits == 8 ? FMT_WAVE_8 : bits == 16 ? FMT_WAVE_16 : FMT_BINARY_WAVE;
        s.m_nFormat = effective.m_nFormat;
        if (!isFloat && (bits == 24 || bits == 32)) {
            s.m_nBits = static_cast<int>(bits);
            s.m_dFullScale = std::ldexp(1.0, s.m_nBits - 1) - 1.0;
        }
    }
    if (s.m_nBits == 0) {
        s.m_dFullScale = FullScale(effective);
        s.m_nBits = WordLength(effective);
    }
    if (s.m_nBits > 0 && s.m_dFullScale != 1.0) s.m_dLowest = -std::ldexp(1.0, s.m_nBits - 1) / s.m_dFullScale;
    return s;
}

// A file written under a temporary name beside its target, which takes the
// target's place only when the whole write has succeeded. Symbolic links
// are written through; a device or pipe is written directly.
class CReplacingFile {
public:
    CReplacingFile() = default;
    ~CReplacingFile() { Abandon(); }
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    // False when the file cannot be created (or the target is a folder or
    // cannot be written).
    bool Open(const std::string& path) {
        m_strTarget = path;
        struct stat st {};
        if (lstat(m_strTarget.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
            if (char* real = realpath(m_strTarget.c_str(), nullptr)) {
                m_strTarget = real;
                std::free(real);
            }
        }
        const bool exists = stat(m_strTarget.c_str(), &st) == 0;
        if (exists && (S_ISDIR(st.st_mode) || access(m_strTarget.c_str(), W_OK) != 0)) return false;
        if (exists && !S_ISREG(st.st_mode)) {
            m_pFile = std::fopen(m_strTarget.c_str(), "wb");
            return m_pFile != nullptr;
        }
        std::vector<char> name(m_strTarget.begin(), m_strTarget.end());
        const char suffix[] = ".kvtmp-XXXXXX";
        name.insert(name.end(), suffix, suffix + sizeof suffix);  // with the terminating zero
        int fd = mkstemp(name.data());
        if (fd >= 0) {
            m_strTemp = name.data();
            mode_t mask = umask(0);
            umask(mask);
            fchmod(fd, exists ? (st.st_mode & 07777) : (0666 & ~mask));
            m_pFile = fdopen(fd, "wb");
            if (!m_pFile) {
                close(fd);
                unlink(m_strTemp.c_str());
                m_strTemp.clear();
            }
        }
        // A folder that takes no new files may still hold a writable file:
        // that one is written in place.
        if (!m_pFile && exists) m_pFile = std::fopen(m_strTarget.c_str(), "wb");
        return m_pFile != nullptr;
    }

    std::FILE* File() const { return m_pFile; }

    // Closes the file; true when every write reached it.
    bool Close() {
        if (!m_pFile) return !m_bFailed;
        if (std::ferror(m_pFile) != 0) m_bFailed = true;
        if (std::fclose(m_pFile) != 0) m_bFailed = true;
        m_pFile = nullptr;
        return !m_bFailed;
    }

    // Puts the written file in the target's place; true when it worked.
    bool Commit() {
        if (!Close()) return false;
        if (!m_strTemp.empty() && std::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0) return false;
        m_strTemp.clear();
        return true;
    }

    // Leaves the target as it was.
    void Abandon() {
        if (m_pFile) std::fclose(m_pFile);
        m_pFile = nullptr;
        if (!m_strTemp.empty()) unlink(m_strTemp.c_str());
        m_strTemp.clear();
    }

private:
    std::string m_strTarget;
    std::string m_strTemp;
    std::FILE* m_pFile = nullptr;
    bool m_bFailed = false;
};

}  // namespace

// ---------------------------------------------------------------------------

void ReadTitlesHeader(CFileReader& file, CTitles& titles) {
    std::string* lines[3] = {&titles.m_strMain, &titles.m_strY, &titles.m_strX};
    for (std::string* line : lines) {
        const char* b;
        const char* e;
        if (file.NextLine(b, e))
            line->assign(b, e);
        else
            line->clear();
    }
    // Commas separate numbers here as they do in the records.
    auto twoNumbers = [](const std::string& s) {
        double v[2];
        return ScanDoubles(s.data(), s.data() + s.size(), v, 2, true) == 2;
    };
    if (twoNumbers(titles.m_strMain) && twoNumbers(titles.m_strX) && twoNumbers(titles.m_strY)) {
        titles.m_strMain.clear();
        titles.m_strY.clear();
        titles.m_strX.clear();
        file.Rewind();
    }
}

void WriteTitlesHeader(std::FILE* file, const CTitles& titles) {
    if (titles.m_strMain.empty() && titles.m_strY.empty() && titles.m_strX.empty()) return;
    WriteTextLine(file, titles.m_strMain);
    WriteTextLine(file, titles.m_strY);
    WriteTextLine(file, titles.m_strX);
}

bool ReadSignalFile(CDataSetIO& data, CDataFormat& format, const std::string& pathIn, int32_t inphase,
                    int32_t quadrature) {
    if (pathIn.empty()) return false;
    if (!ValidColumn(data, inphase) || (quadrature != kNoColumn && !ValidColumn(data, quadrature)) ||
        quadrature == inphase)
        return false;
    std::string path = pathIn;
    ApplyExtension(data.m_strBaseName, path);
    if (!CanReadFormat(format.m_nFormat)) {
        ErrorBox(LoadString(IDS_FORMAT_NOT_READABLE));
        return false;
    }
    format.m_dFileRate = 0.0;
    CReadTarget target(data, inphase, quadrature);

    if (format.m_nFormat == FMT_BINARY_SIGMF) {
        // The metadata file leads; either file of the pair may be named, or
        // their base name. A file of another name is taken as the metadata.
        CSigmfPaths paths = SigmfPathsOf(path);
        if (!CanOpenFile(paths.m_strMeta) && paths.m_strData != path && CanOpenFile(path)) paths.m_strMeta = path;
        if (!CanOpenFile(paths.m_strMeta)) {
            if (paths.m_strMeta != path)
                return Refuse(path, FormatString(IDS_WHY_SIGMF_NO_DATA_FILE, paths.m_strMeta));
            if (data.m_bReportRead) ErrorBox(FormatString(IDS_CANNOT_OPEN_FILE, path));
            return false;
        }
        return ReadSigmf(paths, format, target) && target.ci.GetSize() > 0;
    }

    CFileReader file;
    if (!file.Open(path)) {
        if (data.m_bReportRead) ErrorBox(FormatString(IDS_CANNOT_OPEN_FILE, path));
        return false;
    }

    CProgress progress(FormatString(IDS_PROGRESS_READING, path));
    bool ok = true;
    switch (format.m_nFormat) {
        case FMT_BINARY_WAVE:
        case FMT_WAVE_8:
        case FMT_WAVE_16: {
            uint32_t frames;
            if (!ReadWaveHeader(format.m_WavFmt, file, frames)) {
                ErrorBox(LoadString(IDS_INVALID_HEADER));
                return false;
            }
            format.m_nFormat = WaveFormatId(format.m_WavFmt);
            format.m_dFileRate = format.m_WavFmt.m_header.m_nSamplesPerSec;
            const int32_t channels = format.m_WavFmt.m_header.m_nChannels;
            const CSampleLayout layout = WaveSampleLayout(format.m_WavFmt.m_header);
            if (file.SizeKnown() && !FitsInMemory(std::min<uint64_t>(frames, file.Remaining() / layout.FrameBytes()),
                                                  target.Used(channels), path))
                return false;
            target.Begin(channels);
            ReadSampleFrames(file, layout, frames, target.ci, target.cq);
            break;
        }
        case FMT_BINARY_FLOAT:
        case FMT_BINARY_DOUBLE: {
            // No channel structure: alternate values in two-channel mode, all
            // values in turn in one-channel mode.
            CSampleLayout layout;
            layout.m_type = format.m_nFormat == FMT_BINARY_FLOAT ? SampleType::Float32 : SampleType::Float64;
            layout.m_nPerFrame = target.Used(2);
            // The file's size tells its number of values: one that cannot
            // fit is refused before anything is read.
            if (file.SizeKnown() && !FitsInMemory(file.Remaining() / layout.FrameBytes(), layout.m_nPerFrame, path))
                return false;
            target.Begin(2);
            ReadSampleFrames(file, layout, UINT64_MAX, target.ci, target.cq);
            break;
        }
        case FMT_BINARY_INT8:
        case FMT_BINARY_UINT8:
        case FMT_BINARY_INT16:
        case FMT_BINARY_INT32: ok = ReadRawIntegers(file, path, format, target); break;
        case FMT_BINARY_NPY: ok = ReadNpy(file, path, target); break;
        case FMT_TEXT_CSV:
            target.Begin(2);
            ok = ReadCsvRecords(file, path, format.m_Csv, target.ci, target.cq);
            break;
        default: {
            switch (format.m_nFormat) {
                case FMT_TEXT_PLOT: ReadTitlesHeader(file, format.m_Titles); break;
                case FMT_TEXT_FIR: {
                    const char* b;
                    const char* e;
                    file.NextLine(b, e);
                    break;
                }
                case FMT_TEXT_ANALYZER: {
                    const char* b;
                    const char* e;
                    for (int i = 0; i < 7; ++i) file.NextLine(b, e);
                    break;
                }
                default: break;
            }
            target.Begin(2);
            CColumnSink sink(target.ci, target.cq);
            ok = ReadTextRecords(file, path, format.m_nFormat, WordLength(format), 1.0 / FullScale(format),
                                 target.Two(), sink, target.ci, target.cq);
            break;
        }
    }
    if (!ok) return false;
    if (file.Failed()) {
        ErrorBox(FormatString(IDS_READ_ERROR, path));
        return false;
    }
    return target.ci.GetSize() > 0;
}

bool WriteFormatColumns(CDataSetIO& data, CDataFormat& format, std::FILE* file, int32_t inphase,
                        int32_t quadrature, int32_t step) {
    if (!ValidColumn(data, inphase) || (quadrature != kNoColumn && !ValidColumn(data, quadrature))) return false;
    const bool two = quadrature != kNoColumn;
    const int32_t n = data.GetCount();
    const CDataColumn& ci = data.GetColumn(inphase);
    const CDataColumn* cq = two ? &data.GetColumn(quadrature) : nullptr;
    const int32_t id = format.m_nFormat;

    if (!CanWriteFormat(id)) {
        ErrorBox(LoadString(IDS_FORMAT_NOT_WRITABLE));
        return false;
    }
    // Integer words and code have no way to hold NaN or infinity.
    if (NeedsFiniteValues(format) && (!AllFinite(ci, n) || (cq && !AllFinite(*cq, n)))) {
        ErrorBox(LoadString(IDS_NOT_FINITE));
        return false;
    }
    if (id == FMT_TEXT_C) {
        WriteCArrays(format.m_OptionsC, file, n, ci, cq);
        return std::ferror(file) == 0;
    }
    if (id == FMT_ASM_TI) {
        WriteTiAsm(format.m_AsmOpts, file, n, ci, cq);
        return std::ferror(file) == 0;
    }

    // The overflow question comes before anything is written, with the scale
    // of the format as the header will leave it.
    const CWriteScale scale = WriteScaleOf(format);
    const double fullScale = scale.m_dFullScale;
    const int bits = scale.m_nBits;
    if (fullScale != 1.0 && data.GetColumnCount() > 0) {
        double lo, hi;
        ValueRange(data, lo, hi);
        if (lo < scale.m_dLowest || hi > 1.0) {
            if (!AskYesNo(LoadString(IDS_OVERFLOW_QUESTION), MsgIcon::Question)) return false;
        }
    }

    switch (id) {
        case FMT_TEXT_PLOT: WriteTitlesHeader(file, format.m_Titles); break;
        case FMT_TEXT_FIR: WriteTextLine(file, FormatInteger(n, 10, 0)); break;
        case FMT_BINARY_WAVE:
        case FMT_WAVE_8:
        case FMT_WAVE_16:
            if (!WriteWaveHeader(format.m_WavFmt, file, two ? 2 : 1, n)) {
                if (std::ferror(file) == 0) ErrorBox(LoadString(IDS_WAVE_TOO_LONG));
                return false;
            }
            format.m_nFormat = WaveFormatId(format.m_WavFmt);
            break;
        case FMT_BINARY_NPY: {
            const std::string header = NpyHeader(two, static_cast<uint64_t>(n));
            std::fwrite(header.data(), 1, header.size(), file);
            break;
        }
        case FMT_TEXT_CSV: WriteTextLine(file, LoadString(two ? IDS_CSV_HEADER_TWO : IDS_CSV_HEADER_ONE)); break;
        default: break;
    }

    const int realWidth = n < 2500 ? 21 : 24;
    const int realDecimals = n < 2500 ? 18 : 21;
    int w = 0;
    if (scale.m_nFormat == FMT_TEXT_FRACT) w = static_cast<int>(std::log10(fullScale) + 2.0);
    if (scale.m_nFormat == FMT_TEXT_HEX) w = (bits + 3) / 4;

    COutBuffer out(file);
    // One loop per format: each record is made at the end of the buffer.
    auto records = [&](size_t room, auto&& make) {
        CStepWalk walk(n, step);
        for (int32_t k = 0; k < n; ++k, walk.Next()) {
            if ((k & 0xFFFF) == 0xFFFF) ReportProgress(static_cast<uint64_t>(k), static_cast<uint64_t>(n));
            const int32_t index = walk.Index();
            const double xi = ci[index] * fullScale;
            const double xq = two ? (*cq)[index] * fullScale : 0.0;
            char* p = out.Reserve(room);
            out.Commit(make(p, k, xi, xq));
        }
    };
    auto lineEnd = [](char* p) {
        *p++ = '\r';
        *p++ = '\n';
        return p;
    };
    // Integer samples of `bytes` bytes: the scaled value times a factor,
    // rounded and limited to lo ... hi, plus an offset (unsigned samples).
    auto integers = [&](int bytes, bool big, double factor, int64_t lo, int64_t hi, int64_t offset) {
        records(16, [&](char* p, int32_t, double xi, double xq) {
            p = PutBytes(p, static_cast<uint64_t>(RoundSaturate(xi * factor, lo, hi) + offset), bytes, big);
            if (two) p = PutBytes(p, static_cast<uint64_t>(RoundSaturate(xq * factor, lo, hi) + offset), bytes, big);
            return p;
        });
    };
    const size_t realRoom = 2 * (kFixedBufferSize + 32) + 32;
    switch (scale.m_nFormat) {
        case FMT_TEXT_PLOT:
            records(realRoom, [&](char* p, int32_t k, double xi, double xq) {
                p = PrintInt64(p, k);
                *p++ = ' ';
                p = PrintFixed(p, xi, realWidth, realDecimals);
                if (two) {
                    *p++ = ' ';
                    p = PrintFixed(p, xq, realWidth, realDecimals);
                }
                return lineEnd(p);
            });
            break;
        case FMT_TEXT_DECIMAL:
        case FMT_TEXT_FIR:
            records(realRoom, [&](char* p, int32_t, double xi, double xq) {
                p = PrintFixed(p, xi, realWidth, realDecimals);
                if (two) {
                    *p++ = ' ';
                    p = PrintFixed(p, xq, realWidth, realDecimals);
                }
                return lineEnd(p);
            });
            break;
        case FMT_TEXT_FRACT:
            records(2 * 32 + 8, [&](char* p, int32_t, double xi, double xq) {
                p = PutFract(p, RoundToInt64(xi), w);
                if (two) {
                    *p++ = ' ';
                    p = PutFract(p, RoundToInt64(xq), w);
                }
                return lineEnd(p);
            });
            break;
        case FMT_TEXT_HEX:
            records(2 * 32 + 8, [&](char* p, int32_t, double xi, double xq) {
                p = PutHex(p, static_cast<uint64_t>(RoundToInt64(xi)), w);
                if (two) {
                    *p++ = ' ';
                    p = PutHex(p, static_cast<uint64_t>(RoundToInt64(xq)), w);
                }
                return lineEnd(p);
            });
            break;
        case FMT_ASM_ADI_PM:
            records(32, [&](char* p, int32_t, double xi, double xq) {
                p = PutHex(p, static_cast<uint64_t>(RoundToInt64(xi)) & 0xFFFF, 4);
                *p++ = '0';
                *p++ = '0';
                if (two) {
                    *p++ = ' ';
                    p = PutHex(p, static_cast<uint64_t>(RoundToInt64(xq)) & 0xFFFF, 4);
                    *p++ = '0';
                    *p++ = '0';
                }
                return lineEnd(p);
            });
            break;
        case FMT_TEXT_BINARY:
            records(2 * 64 + 8, [&](char* p, int32_t, double xi, double xq) {
                p = PutBinary(p, static_cast<uint64_t>(RoundToInt64(xi)), bits);
                if (two) {
                    *p++ = ' ';
                    p = PutBinary(p, static_cast<uint64_t>(RoundToInt64(xq)), bits);
                }
                return lineEnd(p);
            });
            break;
        case FMT_BINARY_FLOAT:
            records(8, [&](char* p, int32_t, double xi, double xq) {
                float f[2] = {static_cast<float>(xi), static_cast<float>(xq)};
                std::memcpy(p, f, two ? 8 : 4);
                return p + (two ? 8 : 4);
            });
            break;
        case FMT_BINARY_DOUBLE:
        case FMT_BINARY_NPY:
        case FMT_BINARY_SIGMF:
            records(16, [&](char* p, int32_t, double xi, double xq) {
                double d[2] = {xi, xq};
                std::memcpy(p, d, two ? 16 : 8);
                return p + (two ? 16 : 8);
            });
            break;
        case FMT_WAVE_8:
            // 8-bit samples are (x * 128) rounded, limited to the byte and
            // offset by 128: the byte that reads back nearest to x.
            integers(1, false, 128.0, -128, 127, 128);
            break;
        case FMT_WAVE_16:
            records(4, [&](char* p, int32_t, double xi, double xq) {
                // The full scale is 32767 here: xi is already x * 32767.
                uint16_t words[2] = {static_cast<uint16_t>(static_cast<uint64_t>(RoundToInt64(xi))),
                                     static_cast<uint16_t>(static_cast<uint64_t>(RoundToInt64(xq)))};
                std::memcpy(p, words, two ? 4 : 2);
                return p + (two ? 4 : 2);
            });
            break;
        case FMT_BINARY_WAVE: {
            bool isFloat;
            const uint32_t waveBits = WaveWriteBits(format.m_WavFmt.m_nSizeChoice, isFloat);
            if (isFloat && waveBits == 32) {
                records(8, [&](char* p, int32_t, double xi, double xq) {
                    float f[2] = {static_cast<float>(xi), static_cast<float>(xq)};
                    std::memcpy(p, f, two ? 8 : 4);
                    return p + (two ? 8 : 4);
                });
            } else if (isFloat) {
                records(16, [&](char* p, int32_t, double xi, double xq) {
                    double d[2] = {xi, xq};
                    std::memcpy(p, d, two ? 16 : 8);
                    return p + (two ? 16 : 8);
                });
            } else {
                const int64_t top = (int64_t{1} << (waveBits - 1)) - 1;
                integers(static_cast<int>(waveBits / 8), false, 1.0, -top - 1, top, 0);
            }
            break;
        }
        case FMT_BINARY_INT8: integers(1, false, 1.0, -128, 127, 0); break;
        case FMT_BINARY_UINT8: integers(1, false, 1.0, -128, 127, 128); break;
        case FMT_BINARY_INT16: integers(2, format.m_RawInt.m_bBigEndian != 0, 1.0, -32768, 32767, 0); break;
        case FMT_BINARY_INT32:
            integers(4, format.m_RawInt.m_bBigEndian != 0, 1.0, std::numeric_limits<int32_t>::min(),
                     std::numeric_limits<int32_t>::max(), 0);
            break;
        case FMT_TEXT_CSV:
            records(2 * kShortestBufferSize + 8, [&](char* p, int32_t, double xi, double xq) {
                p = PrintShortest(p, xi);
                if (two) {
                    *p++ = ',';
                    p = PrintShortest(p, xq);
                }
                return lineEnd(p);
            });
            break;
        default: break;
    }
    out.Flush();
    return !out.Failed() && std::ferror(file) == 0;
}

bool WriteSignalFile(CDataSetIO& data, CDataFormat& format, const std::string& pathIn, int32_t inphase,
                     int32_t quadrature, int32_t step) {
    if (pathIn.empty()) return true;
    std::string path = pathIn;
    ApplyExtension(data.m_strBaseName, path);
    if (!ValidColumn(data, inphase) || (quadrature != kNoColumn && !ValidColumn(data, quadrature))) return false;

    // A SigMF recording is two files: the samples, then the metadata.
    const bool sigmf = format.m_nFormat == FMT_BINARY_SIGMF;
    const CSigmfPaths sigmfPaths = SigmfPathsOf(path);
    const std::string samplesPath = sigmf ? sigmfPaths.m_strData : path;

    CReplacingFile samples;
    if (!samples.Open(samplesPath)) {
        ErrorBox(FormatString(IDS_CANNOT_OPEN_FILE, samplesPath));
        return false;
    }
    // The data writes itself through the writers of this layer.
    static const bool writerSet = (CDataSetIO::SetColumnsWriter(&WriteFormatColumns), true);
    (void)writerSet;
    // A write stopped part-way (by the user, or out of memory) throws; the
    // replacing file then leaves the target as it was.
    CProgress progress(FormatString(IDS_PROGRESS_WRITING, path));
    if (!data.WriteColumns(format, samples.File(), inphase, quadrature, step)) {
        const bool ioError = !samples.Close();
        samples.Abandon();
        if (ioError) ErrorBox(FormatString(IDS_WRITE_ERROR, samplesPath));
        return false;
    }
    CReplacingFile meta;
    if (sigmf) {
        if (!meta.Open(sigmfPaths.m_strMeta)) {
            ErrorBox(FormatString(IDS_CANNOT_OPEN_FILE, sigmfPaths.m_strMeta));
            return false;
        }
        const std::string text = SigmfMetaText(quadrature != kNoColumn, format.m_dDataRate,
                                               data.m_strName.empty() ? LoadString(IDS_APP_NAME) : data.m_strName);
        std::fwrite(text.data(), 1, text.size(), meta.File());
        if (!meta.Close()) {
            ErrorBox(FormatString(IDS_WRITE_ERROR, sigmfPaths.m_strMeta));
            return false;
        }
    }
    if (!samples.Commit()) {
        ErrorBox(FormatString(IDS_WRITE_ERROR, samplesPath));
        return false;
    }
    if (sigmf && !meta.Commit()) {
        ErrorBox(FormatString(IDS_WRITE_ERROR, sigmfPaths.m_strMeta));
        return false;
    }
    return true;
}

void CopyDataToClipboard(const CKalvoData& data) {
    int32_t lastColumn = data.m_bReal ? 0 : 1;
    if (data.m_nStart >= 0) {
        CopyColumnsToClipboard(data, data.m_nStart, lastColumn, data.m_nStop);
        return;
    }
    // A range that starts among the negative frequencies: their stored rows
    // (from N/2 up) first, then the rows from DC on, in frequency order.
    int32_t n = data.GetCount();
    std::string text = ColumnsText(data, data.MapIndex(data.m_nStart), lastColumn, n - 1);
    if (data.m_nStop >= 0) text += ColumnsText(data, 0, lastColumn, data.m_nStop);
    if (!text.empty()) Platform().Clipboard().SetText(text);
}

std::string ColumnsText(const CDataSet& data, int32_t firstRow, int32_t lastColumn, int32_t lastRow) {
    // A single row (first equal to last) is copied too.
    if (lastColumn < 0 || lastColumn >= data.GetColumnCount() || firstRow < 0 || firstRow > lastRow ||
        lastRow >= data.GetCount())
        return {};
    std::string text;
    text.reserve(static_cast<size_t>(lastRow - firstRow + 1) * static_cast<size_t>(lastColumn + 1) * 14);
    char buf[kFixedBufferSize + 64];
    for (int32_t row = firstRow; row <= lastRow; ++row) {
        for (int32_t col = 0; col <= lastColumn; ++col) {
            char* e = PrintFixed(buf, data.GetValue(col, row), 12, 9);
            text.append(buf, e);
            if (col < lastColumn) text += '\t';
        }
        text += "\r\n";
    }
    return text;
}

void CopyColumnsToClipboard(const CDataSet& data, int32_t firstRow, int32_t lastColumn, int32_t lastRow) {
    std::string text = ColumnsText(data, firstRow, lastColumn, lastRow);
    if (text.empty()) return;
    Platform().Clipboard().SetText(text);
}

}  // namespace kv
