#include "formats/SampleFrames.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "data/CDataColumn.h"
#include "formats/CFileReader.h"
#include "platform/CPlatform.h"
#include "platform/CProgress.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

constexpr int64_t kMaxColumnLength = std::numeric_limits<int32_t>::max();
// The largest block read at once: converted while it is still in the cache.
constexpr size_t kBlockBytes = size_t{1} << 20;

template <class T>
inline T Load(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline uint16_t Swap(uint16_t v) { return __builtin_bswap16(v); }
inline uint32_t Swap(uint32_t v) { return __builtin_bswap32(v); }
inline uint64_t Swap(uint64_t v) { return __builtin_bswap64(v); }

// Unsigned word of N bytes in the given order.
template <class U, bool Big>
inline U LoadWord(const uint8_t* p) {
    U v = Load<U>(p);
    if constexpr (Big) v = Swap(v);
    return v;
}

// ---- converters: one sample's bytes to its value ----------------------------

// One-byte samples through a table of their 256 values.
struct CByteTable {
    const double* t;
    double operator()(const uint8_t* p) const { return t[*p]; }
};

// 16-bit samples through a table of their 65536 values (for divisors that
// are not powers of two, where a division per sample would be slow).
template <bool Big>
struct CWordTable {
    const double* t;
    double operator()(const uint8_t* p) const { return t[LoadWord<uint16_t, Big>(p)]; }
};

// Integer samples scaled by a power of two: the product is exact, and equal
// to the quotient.
template <class U, class S, bool Big>
struct CScaledInt {
    double offset, factor;
    double operator()(const uint8_t* p) const {
        S s = static_cast<S>(LoadWord<U, Big>(p));
        return (static_cast<double>(s) - offset) * factor;
    }
};

// Integer samples divided by any divisor.
template <class U, class S, bool Big>
struct CDividedInt {
    double offset, divisor;
    double operator()(const uint8_t* p) const {
        S s = static_cast<S>(LoadWord<U, Big>(p));
        return (static_cast<double>(s) - offset) / divisor;
    }
};

// 24-bit samples (three bytes, sign-extended).
template <bool Big>
struct CInt24 {
    double offset, divisor;
    double operator()(const uint8_t* p) const {
        uint32_t u = Big ? (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2]
                         : (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        int32_t s = static_cast<int32_t>(u << 8) >> 8;
        return (static_cast<double>(s) - offset) / divisor;
    }
};

template <class F, class U, bool Big>
struct CFloat {
    double operator()(const uint8_t* p) const {
        U u = LoadWord<U, Big>(p);
        F f;
        std::memcpy(&f, &u, sizeof f);
        return static_cast<double>(f);
    }
};

bool IsPowerOfTwo(double d) {
    int e;
    return d > 0.0 && std::frexp(d, &e) == 0.5;
}

// w / 32767 for every 16-bit word (the 16-bit WAVE conversion), worked out once.
const double* Wave16Table() {
    static const std::vector<double> table = [] {
        std::vector<double> t(65536);
        for (int w = -32768; w < 32768; ++w) t[static_cast<uint16_t>(w)] = w / 32767.0;
        return t;
    }();
    return table.data();
}

// Lengthens a column by k values (their places returned, unset), with room
// for at least `hint` values so that later blocks need no new block.
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

template <class Convert>
uint64_t ReadWith(CFileReader& file, const CSampleLayout& layout, uint64_t frames, CDataColumn& ci, CDataColumn* cq,
                  Convert convert) {
    const size_t frameBytes = layout.FrameBytes();
    const size_t quadrature = SampleSize(layout.m_type) * static_cast<size_t>(layout.m_nQuadrature);
    const uint64_t inFile = file.Remaining() / frameBytes;
    frames = std::min(frames, inFile);
    const int64_t hint = static_cast<int64_t>(
        std::min<uint64_t>(frames, static_cast<uint64_t>(kMaxColumnLength - ci.GetSize())) + ci.GetSize());
    // The buffer holds as much as is read, up to one block.
    const size_t blockFrames = std::max<size_t>(1, kBlockBytes / frameBytes);
    const size_t bufferFrames = static_cast<size_t>(std::min<uint64_t>(std::max<uint64_t>(frames, 1), blockFrames));
    std::vector<uint8_t> buffer(bufferFrames * frameBytes);
    uint64_t done = 0;
    while (done < frames) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(bufferFrames, frames - done));
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
                    dq[j] = convert(p + quadrature);
                }
            } else {
                for (int32_t j = 0; j < k; ++j, p += frameBytes) di[j] = convert(p);
            }
        }
        done += got;
        if (full) {
            WarningBox(FormatString(IDS_TOO_MANY_VALUES, std::to_string(ci.GetSize())));
            break;
        }
        if (got < want) break;
        ReportProgress(file.Tell(), file.FileSize());
    }
    return done;
}

template <bool Big>
uint64_t ReadOrdered(CFileReader& file, const CSampleLayout& l, uint64_t frames, CDataColumn& ci, CDataColumn* cq) {
    const bool power = IsPowerOfTwo(l.m_dDivisor);
    switch (l.m_type) {
        case SampleType::Int8:
        case SampleType::UInt8: {
            double table[256];
            for (int b = 0; b < 256; ++b) {
                double s = l.m_type == SampleType::Int8 ? static_cast<int8_t>(b) : b;
                table[b] = (s - l.m_dOffset) / l.m_dDivisor;
            }
            return ReadWith(file, l, frames, ci, cq, CByteTable{table});
        }
        case SampleType::Int16:
            if (l.m_dDivisor == 32767.0 && l.m_dOffset == 0.0)
                return ReadWith(file, l, frames, ci, cq, CWordTable<Big>{Wave16Table()});
            if (power)
                return ReadWith(file, l, frames, ci, cq, CScaledInt<uint16_t, int16_t, Big>{l.m_dOffset, 1.0 / l.m_dDivisor});
            return ReadWith(file, l, frames, ci, cq, CDividedInt<uint16_t, int16_t, Big>{l.m_dOffset, l.m_dDivisor});
        case SampleType::UInt16:
            if (power)
                return ReadWith(file, l, frames, ci, cq, CScaledInt<uint16_t, uint16_t, Big>{l.m_dOffset, 1.0 / l.m_dDivisor});
            return ReadWith(file, l, frames, ci, cq, CDividedInt<uint16_t, uint16_t, Big>{l.m_dOffset, l.m_dDivisor});
        case SampleType::Int24: return ReadWith(file, l, frames, ci, cq, CInt24<Big>{l.m_dOffset, l.m_dDivisor});
        case SampleType::Int32:
            if (power)
                return ReadWith(file, l, frames, ci, cq, CScaledInt<uint32_t, int32_t, Big>{l.m_dOffset, 1.0 / l.m_dDivisor});
            return ReadWith(file, l, frames, ci, cq, CDividedInt<uint32_t, int32_t, Big>{l.m_dOffset, l.m_dDivisor});
        case SampleType::UInt32:
            if (power)
                return ReadWith(file, l, frames, ci, cq, CScaledInt<uint32_t, uint32_t, Big>{l.m_dOffset, 1.0 / l.m_dDivisor});
            return ReadWith(file, l, frames, ci, cq, CDividedInt<uint32_t, uint32_t, Big>{l.m_dOffset, l.m_dDivisor});
        case SampleType::Float32: return ReadWith(file, l, frames, ci, cq, CFloat<float, uint32_t, Big>{});
        case SampleType::Float64: return ReadWith(file, l, frames, ci, cq, CFloat<double, uint64_t, Big>{});
    }
    return 0;
}

}  // namespace

size_t SampleSize(SampleType type) {
    switch (type) {
        case SampleType::Int8:
        case SampleType::UInt8: return 1;
        case SampleType::Int16:
        case SampleType::UInt16: return 2;
        case SampleType::Int24: return 3;
        case SampleType::Int32:
        case SampleType::UInt32:
        case SampleType::Float32: return 4;
        case SampleType::Float64: return 8;
    }
    return 1;
}

uint64_t ReadSampleFrames(CFileReader& file, const CSampleLayout& layout, uint64_t frames, CDataColumn& ci,
                          CDataColumn* cq) {
    if (layout.m_nPerFrame < 1 || (cq && (layout.m_nQuadrature < 1 || layout.m_nQuadrature >= layout.m_nPerFrame)))
        return 0;
    return layout.m_bBigEndian ? ReadOrdered<true>(file, layout, frames, ci, cq)
                               : ReadOrdered<false>(file, layout, frames, ci, cq);
}

}  // namespace kv
