#include "generate/ModulatedSignal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "data/CDataColumn.h"
#include "formats/FormatHelpers.h"
#include "formats/NumberText.h"
#include "generate/CAudio.h"
#include "generate/CModParm.h"
#include "generate/CNoise.h"
#include "generate/CQuadErr.h"
#include "generate/CSamp.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

// ---------------------------------------------------------------------------
// Numbers in audio and IF filter files

// A "%f" conversion at p (no white space skipped): the extent and the value
// as the C library's scanf finds them, rounded once to a 32-bit float.
const char* ScanFloat(const char* p, const char* end, float& value) {
    double d = 0.0;
    const char* q = ScanDouble(p, end, d);
    if (!q) return nullptr;
    // Rounding the decimal text straight to a float avoids the rare double
    // rounding of text -> double -> float.
    const char* s = (p < q && *p == '+') ? p + 1 : p;
    float f = 0.0f;
    auto result = std::from_chars(s, q, f, std::chars_format::general);
    value = (result.ec == std::errc() && result.ptr == q) ? f : static_cast<float>(d);
    return q;
}

// An integer as stream extraction reads it: decimal, with an optional sign.
const char* ScanDecimalInt(const char* p, const char* end, int32_t& value) {
    const char* s = p;
    if (s < end && *s == '+') ++s;
    if (s < end && *s == '-' && p != s) return nullptr;  // "+-"
    auto result = std::from_chars(s, end, value, 10);
    if (result.ec != std::errc()) return nullptr;
    return result.ptr;
}

struct CFileCloser {
    std::FILE* f;
    ~CFileCloser() {
        if (f) std::fclose(f);
    }
};

std::FILE* OpenForReading(const std::string& name) {
    if (name.empty() || !CanOpenFile(name)) return nullptr;
    return std::fopen(name.c_str(), "rb");
}

// A file read through a buffer of its own.
class CBufferedFile {
public:
    explicit CBufferedFile(std::FILE* file) : m_file(file) {}

    int Get() {
        if (m_nPos == m_nEnd && !Fill()) return EOF;
        return static_cast<unsigned char>(m_buffer[m_nPos++]);
    }
    int Peek() {
        if (m_nPos == m_nEnd && !Fill()) return EOF;
        return static_cast<unsigned char>(m_buffer[m_nPos]);
    }

private:
    bool Fill() {
        m_nPos = 0;
        m_nEnd = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
        return m_nEnd > 0;
    }

    std::FILE* m_file;
    std::array<char, 65536> m_buffer{};
    size_t m_nPos = 0;
    size_t m_nEnd = 0;
};

// The next line of a text file, read as an 80-character buffer reads it: at
// most 79 characters at a time, so a longer line comes in pieces, each of
// which counts as a line. CR LF ends a line like LF. False at the end of the
// file.
bool ReadLinePiece(CBufferedFile& file, std::string& piece) {
    piece.clear();
    while (piece.size() < 79) {
        int c = file.Get();
        if (c == EOF) break;
        if (c == '\r' && file.Peek() == '\n') c = file.Get();
        piece += static_cast<char>(c);
        if (c == '\n') break;
    }
    return !piece.empty();
}

// Whitespace-separated numbers of a text file, read as stream extraction
// reads them: once a value cannot be read, nothing more is read.
class CNumberStream {
public:
    explicit CNumberStream(std::FILE* file) : m_file(file) {}

    bool Failed() const { return m_bFailed; }

    bool ReadInt(int32_t& value) {
        return Read([&](const char* p, const char* end) { return ScanDecimalInt(p, end, value); });
    }
    bool ReadFloat(float& value) {
        return Read([&](const char* p, const char* end) { return ScanFloat(p, end, value); });
    }

private:
    template <class Scan>
    bool Read(Scan scan) {
        if (m_bFailed) return false;
        // Skip white space, then make sure the whole token is in the buffer.
        for (;;) {
            while (m_nPos < m_text.size() && IsScanSpace(m_text[m_nPos])) ++m_nPos;
            if (m_nPos < m_text.size() || !More()) break;
        }
        if (m_nPos == m_text.size()) return Fail();
        for (;;) {
            auto it = std::find_if(m_text.begin() + static_cast<std::ptrdiff_t>(m_nPos), m_text.end(), IsScanSpace);
            if (it != m_text.end() || !More()) break;
        }
        const char* begin = m_text.data() + m_nPos;
        const char* q = scan(begin, m_text.data() + m_text.size());
        if (!q) return Fail();
        m_nPos += static_cast<size_t>(q - begin);
        return true;
    }
    bool Fail() {
        m_bFailed = true;
        return false;
    }
    // Appends the next block of the file; false at its end.
    bool More() {
        if (m_bEof) return false;
        if (m_nPos > 0) {
            m_text.erase(0, m_nPos);
            m_nPos = 0;
        }
        char block[65536];
        size_t n = std::fread(block, 1, sizeof block, m_file);
        if (n == 0) {
            m_bEof = true;
            return false;
        }
        m_text.append(block, n);
        return true;
    }

    std::FILE* m_file;
    std::string m_text;
    size_t m_nPos = 0;
    bool m_bEof = false;
    bool m_bFailed = false;
};

// Room for n more values at the end of a column, sized in one step (the
// values are written at once).
double* Extend(CDataColumn& column, int32_t n) {
    const int32_t old = column.GetSize();
    if (n <= 0) return column.GetWritableData() + old;
    if (static_cast<int64_t>(old) + n > std::numeric_limits<int32_t>::max()) throw std::bad_alloc();
    column.SetSize(old + n);
    return column.GetWritableData() + old;
}

uint32_t g_nRandomState = 0;

// The uniform sample of every value of NextRandom.
const std::array<float, 32768>& UniformTable() {
    static const std::array<float, 32768> table = [] {
        std::array<float, 32768> t{};
        for (int i = 0; i < 32768; ++i) t[static_cast<size_t>(i)] = static_cast<float>(i / 32767.0 - 0.5);
        return t;
    }();
    return table;
}

// A phase step that leaves the phase above pi more than this many times is
// wrapped with one remainder instead.
constexpr int kMaxWrapSteps = 1024;

// The phase brought into (-pi, pi] by one remainder.
double WrapPhase(double phase) {
    double r = std::fmod(phase, kTwoPiD);
    if (r > kPiD) r -= kTwoPiD;
    if (r <= -kPiD) r += kTwoPiD;
    return r;
}

}  // namespace

// ---------------------------------------------------------------------------

double DbToAmplitude(double db) { return db < -300.0 ? 0.0 : std::pow(10.0, db / 20.0); }

void SeedRandom(uint32_t seed) { g_nRandomState = seed; }

int32_t NextRandom() {
    g_nRandomState = g_nRandomState * 214013u + 2531011u;
    return static_cast<int32_t>((g_nRandomState >> 16) & 32767u);
}

float UniformSample() { return UniformTable()[static_cast<size_t>(NextRandom())]; }

float GaussianSample() {
    const auto& table = UniformTable();
    float u[12];
    for (float& x : u) x = table[static_cast<size_t>(NextRandom())];
    return (u[0] + u[1] + u[2] + u[3] + u[4] + u[5] - u[6] - u[7] - u[8] - u[9] - u[10]) - u[11];
}

bool GenerateAudio(int32_t count, const CAudio& audio, CDataColumn& column, float fs) {
    // The page's values are floats; the phase runs in double precision with
    // the one double 2*pi, so a whole number of cycles closes exactly.
    double phase = (static_cast<double>(audio.m_fAudioPhase) / 360.0) * kTwoPiD;
    const double step = static_cast<double>(audio.m_fAudioFrequency) * kTwoPiD / static_cast<double>(fs);
    double value = 0.0;
    double* out = Extend(column, count);
    for (int32_t i = 0; i < count; ++i) {
        phase = phase + step;
        for (int n = 0; phase > kPiD; ++n) {
            const double next = phase - kTwoPiD;
            if (n == kMaxWrapSteps || next == phase) {
                phase = WrapPhase(phase);
                break;
            }
            phase = next;
        }
        // A negative frequency or initial phase wraps from below the same way.
        for (int n = 0; phase <= -kPiD; ++n) {
            const double next = phase + kTwoPiD;
            if (n == kMaxWrapSteps || next == phase) {
                phase = WrapPhase(phase);
                break;
            }
            phase = next;
        }
        switch (audio.m_nAudioWaveform) {
            case CAudio::Sine: value = std::cos(phase); break;
            case CAudio::Square: value = phase >= 0.0 ? 1.0 : -1.0; break;
            case CAudio::Triangle: value = (std::fabs(phase / kPiD) - 0.5) * 2.0; break;
            case CAudio::Sawtooth: value = phase / kPiD; break;
            default: break;  // "Off": the value stays 0
        }
        out[i] = value;
    }
    return true;
}

bool ReadAudioFile(const CAudio& audio, int32_t count, CDataColumn& column) {
    std::FILE* f = OpenForReading(audio.m_strAudioFile);
    if (!f) {
        ErrorBox(FormatString(IDS_CANNOT_OPEN_FILE, audio.m_strAudioFile));
        return false;
    }
    CFileCloser closer{f};
    CBufferedFile file(f);
    std::string piece;
    float value = 0.0f;  // a blank first line gives 0
    int32_t i = 0;
    for (; i < count && ReadLinePiece(file, piece); ++i) {
        const char* p = piece.data();
        const char* end = p + std::strlen(p);  // the text ends at a NUL, as for sscanf
        while (p < end && IsScanSpace(*p)) ++p;
        if (p < end) {
            float v = 0.0f;
            if (ScanFloat(p, end, v)) {
                value = v;
            } else {
                MsgAnswer answer = Platform().Messages().ShowMessage(
                    FormatString(IDS_AUDIO_BAD_DATA, std::to_string(static_cast<int64_t>(i) + 1)), MsgIcon::Error,
                    MsgButtons::OkCancel);
                if (answer != MsgAnswer::Ok) return false;
                value = 0.0f;
            }
        }
        // A blank line converts nothing and repeats the previous value.
        column.Append(value);
    }
    std::fclose(f);
    closer.f = nullptr;
    if (i < count) {
        MsgAnswer answer =
            Platform().Messages().ShowMessage(LoadString(IDS_AUDIO_TOO_SHORT), MsgIcon::Warning, MsgButtons::OkCancel);
        if (answer != MsgAnswer::Ok) return false;
        for (; i < count; ++i) column.Append(0.0);
    }
    return true;
}

void Modulate(const CModParm& modulation, const CQuadErr& errors, int32_t count, CDataColumn& inphase,
              CDataColumn& quadrature, const CDataColumn& audio, float fs) {
    double dcI = 0.0;
    double dcQ = 0.0;
    if (!errors.m_bDisableDc) {
        dcI = DbToAmplitude(errors.m_fDcOffsetI);
        dcQ = DbToAmplitude(errors.m_fDcOffsetQ);
    }
    // Every angle in double precision with the one double 2*pi that also
    // wraps the phase: a carrier of a whole number of cycles is coherent.
    double e = 0.0;
    double g = 1.0;
    if (!errors.m_bDisableQuad) {
        e = (static_cast<double>(errors.m_fPhaseError) / 360.0) * kTwoPiD;
        g = DbToAmplitude(errors.m_fQAmplitudeDb);
    }
    double theta = (static_cast<double>(modulation.m_fCarrierPhase) / 360.0) * kTwoPiD;
    double delta = static_cast<double>(modulation.m_fCarrierFrequency) * kTwoPiD / static_cast<double>(fs);
    const float m = modulation.m_fPercentMod / 100.0f;
    const int32_t audioCount = audio.GetSize();
    const double* a0 = audio.GetData();
    double* outI = Extend(inphase, count);
    double* outQ = Extend(quadrature, count);
    for (int32_t i = 0; i < count; ++i) {
        const double a = i < audioCount ? a0[i] : 0.0;
        double I = 0.0;
        double Q = 0.0;
        switch (modulation.m_nModulation) {
            case CModParm::CW:
                I = std::cos(theta);
                Q = g * std::sin(theta + e);
                break;
            case CModParm::AM: {
                const double E = 0.5 + 0.5 * m * a;
                I = E * std::cos(theta);
                Q = E * g * std::sin(theta + e);
                break;
            }
            case CModParm::FM:
                I = std::cos(theta);
                Q = g * std::sin(theta + e);
                delta = (modulation.m_fDeviation * a + modulation.m_fCarrierFrequency) * kTwoPiD /
                        static_cast<double>(fs);
                break;
            default: break;  // LSB, USB and "None (noise only)" have no carrier
        }
        outI[i] = I + dcI;
        outQ[i] = Q + dcQ;
        theta = std::fmod(theta + delta, kTwoPiD);
    }
}

bool AddNoise(const CNoise& noise, int32_t count, CDataColumn& column, bool reseed) {
    float level;
    switch (noise.m_nNoiseType) {
        case CNoise::NoNoise: return true;
        case CNoise::Gaussian: level = noise.m_fNoiseLevel; break;
        case CNoise::Uniform: level = noise.m_fNoiseLevel + 10.0f; break;
        default: return false;
    }
    const float amplitude = static_cast<float>(DbToAmplitude(level));
    if (reseed) SeedRandom(noise.m_nSeed);
    const int32_t n = std::min(count, column.GetSize());
    double* x = column.GetWritableData();
    if (noise.m_nNoiseType == CNoise::Gaussian) {
        for (int32_t i = 0; i < n; ++i) x[i] += static_cast<double>(GaussianSample() * amplitude);
    } else {
        for (int32_t i = 0; i < n; ++i) x[i] += static_cast<double>(UniformSample() * amplitude);
    }
    return true;
}

bool IfFilterFile(const std::string& fileName, CDataColumn& column) {
    if (fileName.empty()) return true;
    std::FILE* f = OpenForReading(fileName);
    if (!f) {
        ErrorBox(FormatString(IDS_CANNOT_OPEN_FILE, fileName));
        return false;
    }
    CFileCloser closer{f};
    CNumberStream stream(f);
    int32_t taps = 0;
    if (!stream.ReadInt(taps) || taps < 1) {
        ErrorBox(FormatString(IDS_IF_FILTER_NO_TAP_COUNT, fileName));
        return false;
    }
    const int64_t count = column.GetSize();
    // y[o] = sum of h[i] x[o - T - i] over the terms with o - T - i >= 0:
    // only the taps below N - T ever meet a sample.
    const int64_t used = std::max<int64_t>(0, std::min<int64_t>(taps, count - taps));
    std::vector<double> h(static_cast<size_t>(used));
    float tap = 0.0f;  // a tap that cannot be read repeats the last one read
    for (int64_t i = 0; i < used; ++i) {
        stream.ReadFloat(tap);
        h[static_cast<size_t>(i)] = tap;
    }
    std::fclose(f);
    closer.f = nullptr;

    // Outputs are computed from the top down in blocks, so each block reads
    // only inputs below it, which are not yet overwritten. Within a block
    // every output sums its terms from i = 0 upwards, starting at 0.
    double* x = column.GetWritableData();
    constexpr int64_t kBlock = 512;
    double y[kBlock];
    for (int64_t top = count; top > 0; top -= kBlock) {
        const int64_t first = std::max<int64_t>(0, top - kBlock);
        const int64_t n = top - first;
        std::fill(y, y + n, 0.0);
        for (int64_t i = 0; i < used; ++i) {
            const double hi = h[static_cast<size_t>(i)];
            const int64_t lag = taps + i;
            const int64_t from = std::max(first, lag);
            if (from >= top) continue;
            double* yo = y + (from - first);
            const double* xo = x + (from - lag);
            const int64_t m = top - from;
            for (int64_t k = 0; k < m; ++k) yo[k] += hi * xo[k];
        }
        std::copy(y, y + n, x + first);
    }
    return true;
}

double Saturate(const CSamp& sample, double x, bool& saturated) {
    // A negative saturation value clips at its magnitude.
    const float s = std::fabs(sample.m_fSaturation);
    if (s == 0.0f) return x;
    if (x > s) {
        saturated = true;
        return s;
    }
    if (x < -s) {
        saturated = true;
        return -s;
    }
    return x;
}

void QuantizeColumn(const CSamp& sample, CDataColumn& column, bool& saturated) {
    const int32_t mode = sample.m_nQuantization;
    if (mode != CSamp::Round && mode != CSamp::Truncate) return;
    const float c = sample.m_fScale;
    double* values = column.GetWritableData();
    for (double* px = values; px != values + column.GetSize(); ++px) {
        double& x = *px;
        if (c == 0.0f) {
            // Every level of a zero scale is 0 (not 0/0).
            x = 0.0;
            continue;
        }
        // Round: halves away from zero, the same on both sides of zero, so a
        // signal keeps its mean; Truncate: toward zero. The result is an
        // integer as an integer conversion gives it (no -0), for any
        // magnitude.
        const double v = c * x;
        const double k = (mode == CSamp::Round ? std::round(v) : std::trunc(v)) + 0.0;
        x = Saturate(sample, k, saturated) / c;
    }
}

void ScaleColumn(const CSamp& sample, CDataColumn& column, bool& saturated) {
    const float c = sample.m_fScale;
    double* values = column.GetWritableData();
    for (int32_t i = 0; i < column.GetSize(); ++i) values[i] = Saturate(sample, c * values[i], saturated);
}

void AmDemodulate(const CDataColumn& inphase, const CDataColumn& quadrature, CDataColumn& out) {
    const int32_t n = std::min(inphase.GetSize(), quadrature.GetSize());
    double* y = Extend(out, n);
    for (int32_t i = 0; i < n; ++i) y[i] = std::sqrt(inphase[i] * inphase[i] + quadrature[i] * quadrature[i]);
}

void FmDemodulate(const CDataColumn& inphase, const CDataColumn& quadrature, CDataColumn& out) {
    const int32_t n = std::min(inphase.GetSize(), quadrature.GetSize());
    double* y = Extend(out, n);
    double previous = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        const double phi = std::atan2(quadrature[i], inphase[i]);
        double d = phi - previous;
        previous = phi;
        if (d > kPiF) d = d - kTwoPiF;
        if (d < -kPiF) d = d + kTwoPiF;
        y[i] = d / kPiF;
    }
}

}  // namespace kv
