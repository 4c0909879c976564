#include "formats/SignalFiles.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "data/CDataSetIO.h"
#include "data/CKalvoData.h"
#include "formats/CFileReader.h"
#include "formats/CodeFormats.h"
#include "formats/FormatCatalogue.h"
#include "formats/FormatHelpers.h"
#include "formats/NumberText.h"
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
        int64_t want = std::max<int64_t>(m_nHint, size + std::max<int64_t>(size / 2, 4096));
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

// Reads text records up to the first line that does not give the values.
// Returns false, having read one line only, when the file (estimated from
// its first line) cannot fit into memory.
bool ReadTextRecords(CFileReader& file, int32_t id, int bits, double scale, bool two, CColumnSink& sink,
                     const std::string& path) {
    const char* b;
    const char* e;
    const int need = two ? 2 : 1;
    bool first = true;
    uint32_t line = 0;
    while (file.NextLine(b, e)) {
        if (!sink.Room()) return true;
        if ((++line & 0x3FFF) == 0) ReportProgress(file.Position(), file.FileSize());
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
    return true;
}

template <class T>
inline T LoadValue(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Lengthens a column by k values (their places returned, unset), with room
// for at least `hint` values so that later chunks need no new block.
double* AppendSlots(CDataColumn& c, int32_t k, int64_t hint) {
    const int32_t size = c.GetSize();
    const int64_t need = static_cast<int64_t>(size) + k;
    if (need > c.GetMaxSize()) {
        int64_t capacity = std::max({need, hint, static_cast<int64_t>(size) + size / 2});
        c.SetSize(static_cast<int32_t>(std::min<int64_t>(capacity, kMaxColumnLength)));
    }
    c.SetSize(static_cast<int32_t>(need));
    return c.GetWritableData() + size;
}

// Reads binary frames of perFrame values: the first value (and in two-channel
// mode the second) goes to the columns, the rest of the frame is skipped. A
// partial frame at the end is dropped.
template <class Convert>
void ReadBinaryFrames(CFileReader& file, size_t valueSize, int perFrame, uint64_t frames, CDataColumn& ci,
                      CDataColumn* cq, Convert convert) {
    const size_t frameBytes = valueSize * static_cast<size_t>(perFrame);
    const int64_t hint = static_cast<int64_t>(std::min<uint64_t>({frames, file.FileSize() / frameBytes,
                                                                   static_cast<uint64_t>(kMaxColumnLength)}));
    const size_t bufferFrames = std::max<size_t>(1, (size_t{1} << 20) / frameBytes);
    std::vector<uint8_t> buffer(bufferFrames * frameBytes);
    while (frames > 0) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(bufferFrames, frames));
        size_t got = file.Read(buffer.data(), want * frameBytes) / frameBytes;
        bool full = false;
        if (got > static_cast<size_t>(kMaxColumnLength - ci.GetSize())) {
            got = static_cast<size_t>(kMaxColumnLength - ci.GetSize());
            full = true;
        }
        if (got > 0) {
            const int32_t k = static_cast<int32_t>(got);
            double* di = AppendSlots(ci, k, hint);
            const uint8_t* p = buffer.data();
            if (cq) {
                double* dq = AppendSlots(*cq, k, hint);
                for (int32_t j = 0; j < k; ++j, p += frameBytes) {
                    di[j] = convert(p);
                    dq[j] = convert(p + valueSize);
                }
            } else {
                for (int32_t j = 0; j < k; ++j, p += frameBytes) di[j] = convert(p);
            }
        }
        if (full) {
            WarningBox(FormatString(IDS_TOO_MANY_VALUES, std::to_string(ci.GetSize())));
            return;
        }
        frames -= got;
        if (got < want) return;
        ReportProgress(static_cast<uint64_t>(ci.GetSize()) * frameBytes, file.FileSize());
    }
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
    auto twoNumbers = [](const std::string& s) {
        double v[2];
        return ScanDoubles(s.data(), s.data() + s.size(), v, 2, false) == 2;
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
    CFileReader file;
    if (!file.Open(path)) {
        if (data.m_bReportRead) ErrorBox(FormatString(IDS_CANNOT_OPEN_FILE, path));
        return false;
    }

    uint64_t frames = std::numeric_limits<uint64_t>::max();
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
        case FMT_BINARY_WAVE:
        case FMT_WAVE_8:
        case FMT_WAVE_16: {
            uint32_t waveFrames;
            if (!ReadWaveHeader(format.m_WavFmt, file, waveFrames)) {
                ErrorBox(LoadString(IDS_INVALID_HEADER));
                return false;
            }
            format.m_nFormat = WaveFormatId(format.m_WavFmt);
            frames = waveFrames;
            break;
        }
        default: break;
    }

    bool two = quadrature != kNoColumn;
    const int32_t channels = ChannelCount(format);
    if (two && channels < 2) {
        WarningBox(LoadString(IDS_ONE_CHANNEL_ONLY));
        two = false;
    }
    // A binary file's size tells its number of values: one that cannot fit
    // is refused before anything is read.
    const int used = two ? 2 : 1;
    {
        size_t frameBytes = 0;
        switch (format.m_nFormat) {
            case FMT_BINARY_FLOAT: frameBytes = 4 * static_cast<size_t>(used); break;
            case FMT_BINARY_DOUBLE: frameBytes = 8 * static_cast<size_t>(used); break;
            case FMT_WAVE_8: frameBytes = static_cast<size_t>(std::max(channels, 1)); break;
            case FMT_WAVE_16: frameBytes = 2 * static_cast<size_t>(std::max(channels, 1)); break;
            default: break;
        }
        if (frameBytes > 0 && !FitsInMemory(std::min<uint64_t>(frames, file.FileSize() / frameBytes), used, path))
            return false;
    }
    CProgress progress(FormatString(IDS_PROGRESS_READING, path));
    CDataColumn& ci = data.GetColumn(inphase);
    CDataColumn* cq = two ? &data.GetColumn(quadrature) : nullptr;
    ci.SetSize(0);
    if (cq) cq->SetSize(0);
    const double scale = 1.0 / FullScale(format);
    const int bits = WordLength(format);
    CColumnSink sink(ci, cq);

    switch (format.m_nFormat) {
        case FMT_BINARY_FLOAT:
            ReadBinaryFrames(file, 4, used, frames, ci, cq,
                             [](const uint8_t* p) { return static_cast<double>(LoadValue<float>(p)); });
            break;
        case FMT_BINARY_DOUBLE:
            ReadBinaryFrames(file, 8, used, frames, ci, cq,
                             [](const uint8_t* p) { return LoadValue<double>(p); });
            break;
        case FMT_WAVE_8:
            ReadBinaryFrames(file, 1, channels, frames, ci, cq,
                             [](const uint8_t* p) { return (static_cast<int>(*p) - 128) * 0.0078125; });
            break;
        case FMT_WAVE_16: {
            // w / 32767 for every 16-bit word, worked out once.
            static const std::vector<double> table = [] {
                std::vector<double> t(65536);
                for (int w = -32768; w < 32768; ++w) t[static_cast<uint16_t>(w)] = w / 32767.0;
                return t;
            }();
            const double* t = table.data();
            ReadBinaryFrames(file, 2, channels, frames, ci, cq,
                             [t](const uint8_t* p) { return t[LoadValue<uint16_t>(p)]; });
            break;
        }
        default:
            if (!ReadTextRecords(file, format.m_nFormat, bits, scale, two, sink, path)) {
                ci.SetSize(0);
                if (cq) cq->SetSize(0);
                return false;
            }
            break;
    }
    if (file.Failed()) {
        ErrorBox(FormatString(IDS_READ_ERROR, path));
        return false;
    }
    return ci.GetSize() > 0;
}

bool WriteFormatColumns(CDataSetIO& data, CDataFormat& format, std::FILE* file, int32_t inphase,
                        int32_t quadrature, int32_t step) {
    if (!ValidColumn(data, inphase) || (quadrature != kNoColumn && !ValidColumn(data, quadrature))) return false;
    const bool two = quadrature != kNoColumn;
    const int32_t n = data.GetCount();
    const CDataColumn& ci = data.GetColumn(inphase);
    const CDataColumn* cq = two ? &data.GetColumn(quadrature) : nullptr;
    const int32_t id = format.m_nFormat;

    if (id == FMT_TEXT_C) {
        WriteCArrays(format.m_OptionsC, file, n, ci, cq);
        return std::ferror(file) == 0;
    }
    if (id == FMT_ASM_TI) {
        WriteTiAsm(format.m_AsmOpts, file, n, ci, cq);
        return std::ferror(file) == 0;
    }
    if (!CanWriteFormat(id)) {
        ErrorBox(LoadString(IDS_FORMAT_NOT_WRITABLE));
        return false;
    }

    // The overflow question comes before anything is written, with the scale
    // of the format as the header will leave it.
    CDataFormat effective;
    effective.m_FixedPoint.m_nBits = format.m_FixedPoint.m_nBits;
    effective.m_nFormat = format.IsWave() ? (format.m_WavFmt.m_nSizeChoice == 0 ? FMT_WAVE_8 : FMT_WAVE_16) : id;
    const double fullScale = FullScale(effective);
    const int bits = WordLength(effective);
    if (fullScale != 1.0 && data.GetColumnCount() > 0 && (data.GetMin() < -1.0 || data.GetMax() > 1.0)) {
        if (!AskYesNo(LoadString(IDS_OVERFLOW_QUESTION), MsgIcon::Question)) return false;
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
        default: break;
    }

    const int realWidth = n < 2500 ? 21 : 24;
    const int realDecimals = n < 2500 ? 18 : 21;
    int w = 0;
    if (effective.m_nFormat == FMT_TEXT_FRACT) w = static_cast<int>(std::log10(fullScale) + 2.0);
    if (effective.m_nFormat == FMT_TEXT_HEX) w = (bits + 3) / 4;

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
    const size_t realRoom = 2 * (kFixedBufferSize + 32) + 32;
    switch (effective.m_nFormat) {
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
            records(16, [&](char* p, int32_t, double xi, double xq) {
                double d[2] = {xi, xq};
                std::memcpy(p, d, two ? 16 : 8);
                return p + (two ? 16 : 8);
            });
            break;
        case FMT_WAVE_8:
            records(2, [&](char* p, int32_t, double xi, double xq) {
                // The 16-bit word of x * 32767, offset by 0x8000; its high byte.
                auto byte = [](double x) {
                    uint16_t word = static_cast<uint16_t>(static_cast<uint64_t>(RoundToInt64(x * 32767.0)));
                    return static_cast<char>(static_cast<uint16_t>(word + 0x8000u) >> 8);
                };
                *p++ = byte(xi);
                if (two) *p++ = byte(xq);
                return p;
            });
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

    // Write through a symbolic link to the file it names.
    std::string target = path;
    struct stat st {};
    if (lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = realpath(target.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const bool exists = stat(target.c_str(), &st) == 0;
    if (exists && (S_ISDIR(st.st_mode) || access(target.c_str(), W_OK) != 0)) {
        ErrorBox(FormatString(IDS_CANNOT_OPEN_FILE, path));
        return false;
    }

    std::FILE* file = nullptr;
    std::string temp;
    if (exists && !S_ISREG(st.st_mode)) {
        file = std::fopen(target.c_str(), "wb");  // a device or pipe is written directly
    } else {
        std::vector<char> name(target.begin(), target.end());
        const char suffix[] = ".kvtmp-XXXXXX";
        name.insert(name.end(), suffix, suffix + sizeof suffix);  // with the terminating zero
        int fd = mkstemp(name.data());
        if (fd >= 0) {
            temp = name.data();
            mode_t mask = umask(0);
            umask(mask);
            fchmod(fd, exists ? (st.st_mode & 07777) : (0666 & ~mask));
            file = fdopen(fd, "wb");
            if (!file) {
                close(fd);
                unlink(temp.c_str());
                temp.clear();
            }
        }
        // A folder that takes no new files may still hold a writable file:
        // that one is written in place.
        if (!file && exists) file = std::fopen(target.c_str(), "wb");
    }
    if (!file) {
        ErrorBox(FormatString(IDS_CANNOT_OPEN_FILE, path));
        return false;
    }

    static const bool writerSet = (CDataSetIO::SetColumnsWriter(&WriteFormatColumns), true);
    (void)writerSet;
    bool ok = false;
    try {
        CProgress progress(FormatString(IDS_PROGRESS_WRITING, path));
        ok = data.WriteColumns(format, file, inphase, quadrature, step);
    } catch (...) {
        // Stopped part-way (by the user, or out of memory): no half-written file stays.
        std::fclose(file);
        if (!temp.empty()) unlink(temp.c_str());
        throw;
    }
    bool ioError = std::ferror(file) != 0;
    if (std::fclose(file) != 0) ioError = true;
    if (ok && !ioError && !temp.empty() && std::rename(temp.c_str(), target.c_str()) != 0) ioError = true;
    if (!ok || ioError) {
        if (!temp.empty()) unlink(temp.c_str());
        if (ioError) ErrorBox(FormatString(IDS_WRITE_ERROR, path));
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
