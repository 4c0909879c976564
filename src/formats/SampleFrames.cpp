#include "formats/SampleFrames.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif
#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "data/CDataColumn.h"
#include "formats/CFileReader.h"
#include "platform/CPlatform.h"
#include "platform/CProgress.h"
#include "platform/CWorkerPool.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

constexpr int64_t kMaxColumnLength = std::numeric_limits<int32_t>::max();
// The largest block read at once: converted while it is still in the cache.
constexpr size_t kBlockBytes = size_t{1} << 20;
// Each thread's block when several threads read (they share the cache).
constexpr size_t kPartBlockBytes = size_t{256} << 10;
constexpr size_t kParallelBytes = kParallelReadBytes;

bool g_bVectorKernels = true;

// Whether reading the frames produces at least kParallelBytes of values.
bool IsLarge(uint64_t frames, bool twoColumns) {
    return frames >= kParallelBytes / (sizeof(double) * (twoColumns ? 2 : 1));
}

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

// Makes the pages of [p, p + n) present and writable before they are
// filled: on new memory the kernel clears them in one call instead of on a
// fault each, which costs a good part of what the filling itself costs.
void PrepareOutput(double* p, size_t n) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (n == 0) return;
    static const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = reinterpret_cast<uintptr_t>(p) & ~(page - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(p + n) + page - 1) & ~(page - 1);
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);  // a kernel without it: faults as usual
#else
    (void)p;
    (void)n;
#endif
}

// Converts a block of frames with a per-sample converter.
template <class Convert>
struct CFrameLoop {
    size_t frameBytes, quadrature;
    Convert convert;
    void operator()(const uint8_t* p, size_t k, double* di, double* dq) const {
        if (dq) {
            for (size_t j = 0; j < k; ++j, p += frameBytes) {
                di[j] = convert(p);
                dq[j] = convert(p + quadrature);
            }
        } else {
            for (size_t j = 0; j < k; ++j, p += frameBytes) di[j] = convert(p);
        }
    }
};

// ---- vector conversion of 8- and 16-bit samples -----------------------------
//
// One or two channels of 8- or 16-bit integers, frames packed without gaps
// (the raw integer formats, 8- and 16-bit WAVE): each value is computed as
// (s - offset) * scale or (s - offset) / scale in doubles, the same
// operations as the per-sample converters, so the values are the same bit
// for bit.

using VectorKernel = void (*)(const uint8_t* p, size_t k, double* di, double* dq, double offset, double scale);

struct CVectorBlock {
    VectorKernel kernel;
    double offset, scale;
    void operator()(const uint8_t* p, size_t k, double* di, double* dq) const { kernel(p, k, di, dq, offset, scale); }
};

template <int Bytes, bool Signed, bool Big>
inline int32_t SampleAt(const uint8_t* p) {
    if constexpr (Bytes == 1) {
        return Signed ? int32_t{static_cast<int8_t>(*p)} : int32_t{*p};
    } else {
        const uint16_t u = LoadWord<uint16_t, Big>(p);
        return Signed ? int32_t{static_cast<int16_t>(u)} : int32_t{u};
    }
}

// How a vector conversion scales (s - offset): by a product with a power of
// two, by a quotient, or by the quotient worked out as a product with the
// reciprocal and one correction step (the correctly rounded quotient for the
// divisors this is used with: checked on every sample value before use).
enum ScaleOp { kMultiply, kDivide, kCorrected };

template <int Op>
inline double Scaled(int32_t s, double offset, double scale, double reciprocal) {
    const double v = static_cast<double>(s) - offset;
    if constexpr (Op == kMultiply) return v * reciprocal;
    if constexpr (Op == kDivide) return v / scale;
    const double q = v * reciprocal;
    return std::fma(std::fma(-q, scale, v), reciprocal, q);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define KV_VECTOR_KERNELS 1
#define KV_AVX2 __attribute__((target("avx2,fma")))

// The byte order within 16 input bytes that puts the first channel's samples
// in the low 8 bytes and the second's in the high 8 (stereo), each sample in
// little-endian order.
template <int Bytes, bool Big, bool Stereo>
KV_AVX2 inline __m128i Arrange(__m128i x) {
    if constexpr (Bytes == 1 && !Stereo) {
        return x;
    } else if constexpr (Bytes == 1) {
        return _mm_shuffle_epi8(x, _mm_setr_epi8(0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15));
    } else if constexpr (!Stereo && !Big) {
        return x;
    } else if constexpr (!Stereo) {
        return _mm_shuffle_epi8(x, _mm_setr_epi8(1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14));
    } else if constexpr (!Big) {
        return _mm_shuffle_epi8(x, _mm_setr_epi8(0, 1, 4, 5, 8, 9, 12, 13, 2, 3, 6, 7, 10, 11, 14, 15));
    } else {
        return _mm_shuffle_epi8(x, _mm_setr_epi8(1, 0, 5, 4, 9, 8, 13, 12, 3, 2, 7, 6, 11, 10, 15, 14));
    }
}

struct CVectorScale {
    __m256d offset, scale, reciprocal;
};

// Four samples starting at byte Shift of x, as doubles, scaled, stored at d.
template <int Bytes, bool Signed, int Op, int Shift>
KV_AVX2 inline void Put4(double* d, __m128i x, const CVectorScale& k) {
    const __m128i y = _mm_srli_si128(x, Shift);
    __m128i w;
    if constexpr (Bytes == 1)
        w = Signed ? _mm_cvtepi8_epi32(y) : _mm_cvtepu8_epi32(y);
    else
        w = Signed ? _mm_cvtepi16_epi32(y) : _mm_cvtepu16_epi32(y);
    const __m256d v = _mm256_sub_pd(_mm256_cvtepi32_pd(w), k.offset);
    __m256d r;
    if constexpr (Op == kMultiply) {
        r = _mm256_mul_pd(v, k.reciprocal);
    } else if constexpr (Op == kDivide) {
        r = _mm256_div_pd(v, k.scale);
    } else {
        const __m256d q = _mm256_mul_pd(v, k.reciprocal);
        r = _mm256_fmadd_pd(_mm256_fnmadd_pd(q, k.scale, v), k.reciprocal, q);
    }
    _mm256_storeu_pd(d, r);
}

template <int Bytes, bool Signed, bool Big, bool Stereo, int Op>
KV_AVX2 void ConvertVector(const uint8_t* p, size_t k, double* di, double* dq, double offset, double scale) {
    constexpr size_t kChannels = Stereo ? 2 : 1;
    constexpr size_t kFrames = 16 / (Bytes * kChannels);  // frames in 16 bytes
    const double reciprocal = 1.0 / scale;
    const CVectorScale vs{_mm256_set1_pd(offset), _mm256_set1_pd(scale), _mm256_set1_pd(reciprocal)};
    size_t j = 0;
    for (; j + kFrames <= k; j += kFrames, p += 16) {
        const __m128i x = Arrange<Bytes, Big, Stereo>(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        // The first channel's samples from byte 0, the second's from byte 8.
        Put4<Bytes, Signed, Op, 0>(di + j, x, vs);
        if constexpr (kFrames >= 8) Put4<Bytes, Signed, Op, 4 * Bytes>(di + j + 4, x, vs);
        if constexpr (kFrames >= 16) {
            Put4<Bytes, Signed, Op, 8>(di + j + 8, x, vs);
            Put4<Bytes, Signed, Op, 12>(di + j + 12, x, vs);
        }
        if constexpr (Stereo) {
            Put4<Bytes, Signed, Op, 8>(dq + j, x, vs);
            if constexpr (kFrames >= 8) Put4<Bytes, Signed, Op, 8 + 4 * Bytes>(dq + j + 4, x, vs);
        }
    }
    for (; j < k; ++j, p += Bytes * kChannels) {
        di[j] = Scaled<Op>(SampleAt<Bytes, Signed, Big>(p), offset, scale, reciprocal);
        if constexpr (Stereo) dq[j] = Scaled<Op>(SampleAt<Bytes, Signed, Big>(p + Bytes), offset, scale, reciprocal);
    }
}

template <int Bytes, bool Signed, bool Big, int Op>
VectorKernel ChooseKernel(bool stereo) {
    return stereo ? ConvertVector<Bytes, Signed, Big, true, Op> : ConvertVector<Bytes, Signed, Big, false, Op>;
}

// Whether the corrected product gives (s - offset) / divisor exactly for
// every sample value of the type.
template <int Bytes, bool Signed>
bool CorrectedProductExact(double offset, double divisor) {
    constexpr size_t kValues = size_t{1} << (8 * Bytes);
    // A few thousand values at a time, on the stack (new pages cost more than
    // the check itself).
    constexpr size_t kStep = std::min<size_t>(kValues, 2048);
    uint8_t samples[kStep * Bytes];
    double values[kStep];
    for (size_t from = 0; from < kValues; from += kStep) {
        for (size_t v = 0; v < kStep; ++v)
            for (int b = 0; b < Bytes; ++b) samples[v * Bytes + b] = static_cast<uint8_t>((from + v) >> (8 * b));
        ConvertVector<Bytes, Signed, false, false, kCorrected>(samples, kStep, values, nullptr, offset, divisor);
        for (size_t v = 0; v < kStep; ++v) {
            const double exact = (static_cast<double>(SampleAt<Bytes, Signed, false>(&samples[v * Bytes])) - offset) / divisor;
            if (std::memcmp(&exact, &values[v], sizeof exact) != 0) return false;
        }
    }
    return true;
}

template <int Bytes, bool Signed, bool Big>
VectorKernel ChooseKernel(bool stereo, const CSampleLayout& l, bool large) {
    if (IsPowerOfTwo(l.m_dDivisor)) return ChooseKernel<Bytes, Signed, Big, kMultiply>(stereo);
    // A large read spends a moment on the check to save the quotients' time.
    if (large && CorrectedProductExact<Bytes, Signed>(l.m_dOffset, l.m_dDivisor))
        return ChooseKernel<Bytes, Signed, Big, kCorrected>(stereo);
    return ChooseKernel<Bytes, Signed, Big, kDivide>(stereo);
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return has;
}
#endif

// The vector conversion for the layout, or null where there is none (other
// sample types and layouts, processors without AVX2, or when switched off).
template <bool Big>
VectorKernel VectorKernelFor(const CSampleLayout& l, bool twoColumns, bool large) {
#ifdef KV_VECTOR_KERNELS
    if (!g_bVectorKernels || !HasAvx2()) return nullptr;
    const bool stereo = l.m_nPerFrame == 2 && l.m_nQuadrature == 1 && twoColumns;
    if (!stereo && !(l.m_nPerFrame == 1 && !twoColumns)) return nullptr;
    switch (l.m_type) {
        case SampleType::Int8: return ChooseKernel<1, true, Big>(stereo, l, large);
        case SampleType::UInt8: return ChooseKernel<1, false, Big>(stereo, l, large);
        case SampleType::Int16: return ChooseKernel<2, true, Big>(stereo, l, large);
        case SampleType::UInt16: return ChooseKernel<2, false, Big>(stereo, l, large);
        default: return nullptr;
    }
#else
    (void)l;
    (void)twoColumns;
    (void)large;
    return nullptr;
#endif
}

// Reads the frames with several threads, each reading and converting its
// own consecutive part of them into its own part of the columns. The columns'
// memory is new, and the kernel clears each new page in the thread that first
// writes it: that clearing, which costs as much as the conversion, then runs
// in parallel too. Returns the number of frames read from the start (up to
// the first part that came up short, at the end of the file or on an error);
// the columns hold those values and the file's position is after them.
template <class Block>
uint64_t ReadParallel(CFileReader& file, const CSampleLayout& layout, uint64_t frames, CDataColumn& ci, CDataColumn* cq,
                      const Block& convert, int threads) {
    const size_t frameBytes = layout.FrameBytes();
    const int32_t k = static_cast<int32_t>(frames);
    const int32_t sizeI = ci.GetSize();
    const int32_t sizeQ = cq ? cq->GetSize() : 0;
    // Until every part is done, a failure (no memory, the user stopping the
    // read) leaves the columns as they were. Shortening a column never fails.
    struct CRestore {
        CDataColumn& ci;
        CDataColumn* cq;
        int32_t sizeI, sizeQ;
        bool armed = true;
        ~CRestore() {
            if (!armed) return;
            ci.SetSize(sizeI);
            if (cq) cq->SetSize(sizeQ);
        }
    } restore{ci, cq, sizeI, sizeQ};
    double* di = AppendSlots(ci, k, int64_t{sizeI} + k);
    double* dq = cq ? AppendSlots(*cq, k, int64_t{sizeQ} + k) : nullptr;
    const size_t blockFrames = std::max<size_t>(1, kPartBlockBytes / frameBytes);
    const size_t blockBytes = blockFrames * frameBytes;
    // Each part's block, not cleared: every byte is read before it is used.
    const auto buffers = std::make_unique_for_overwrite<uint8_t[]>(blockBytes * static_cast<size_t>(threads));
    std::vector<uint64_t> got(static_cast<size_t>(threads), 0);
    const uint64_t start = file.Tell();
    const uint64_t each = frames / static_cast<uint64_t>(threads);
    auto first = [&](int index) { return each * static_cast<uint64_t>(index); };
    auto last = [&](int index) { return index + 1 == threads ? frames : first(index + 1); };
    std::atomic<uint64_t> converted{0};
    std::atomic<bool> stop{false};
    auto part = [&](int index) {
        uint8_t* buffer = buffers.get() + blockBytes * static_cast<size_t>(index);
        const uint64_t end = last(index);
        uint64_t at = first(index);
        while (at < end && !stop.load(std::memory_order_relaxed)) {
            const size_t want = static_cast<size_t>(std::min<uint64_t>(blockFrames, end - at));
            const size_t n = file.ReadAt(buffer, want * frameBytes, start + at * frameBytes) / frameBytes;
            PrepareOutput(di + at, n);
            if (dq) PrepareOutput(dq + at, n);
            convert(buffer, n, di + at, dq ? dq + at : nullptr);
            at += n;
            if (n < want) break;
            const uint64_t total = converted.fetch_add(n, std::memory_order_relaxed) + n;
            if (index == 0) {
                try {
                    ReportProgress(start + total * frameBytes, file.FileSize());
                } catch (...) {
                    stop.store(true, std::memory_order_relaxed);
                    throw;
                }
            }
        }
        got[static_cast<size_t>(index)] = at - first(index);
    };
    CWorkerPool::Instance().Run(threads, part);
    restore.armed = false;
    uint64_t done = 0;
    for (int index = 0; index < threads; ++index) {
        done += got[static_cast<size_t>(index)];
        if (got[static_cast<size_t>(index)] < last(index) - first(index)) break;
    }
    ci.SetSize(sizeI + static_cast<int32_t>(done));
    if (cq) cq->SetSize(sizeQ + static_cast<int32_t>(done));
    file.Skip(done * frameBytes);
    return done;
}

template <class Block>
uint64_t ReadWith(CFileReader& file, const CSampleLayout& layout, uint64_t frames, CDataColumn& ci, CDataColumn* cq,
                  const Block& convert) {
    const size_t frameBytes = layout.FrameBytes();
    const uint64_t inFile = file.Remaining() / frameBytes;
    frames = std::min(frames, inFile);
    uint64_t done = 0;
    // Large reads of a regular file that fit the columns: in parallel. What
    // is left after a short part (an error, or a file that shrank) is read
    // below, which reports it as any read does.
    const bool large = IsLarge(frames, cq != nullptr);
    const int threads = CWorkerPool::Instance().Threads();
    const uint64_t space = static_cast<uint64_t>(kMaxColumnLength - std::max(ci.GetSize(), cq ? cq->GetSize() : 0));
    if (large && threads > 1 && file.SizeKnown() && frames <= space)
        done = ReadParallel(file, layout, frames, ci, cq, convert, threads);
    const int64_t hint = static_cast<int64_t>(
        std::min<uint64_t>(frames - done, static_cast<uint64_t>(kMaxColumnLength - ci.GetSize())) + ci.GetSize());
    // The buffer holds as much as is read, up to one block.
    const size_t blockFrames = std::max<size_t>(1, kBlockBytes / frameBytes);
    const size_t bufferFrames =
        static_cast<size_t>(std::min<uint64_t>(std::max<uint64_t>(frames - done, 1), blockFrames));
    // Not cleared: every byte is read before it is used.
    const auto buffer = std::make_unique_for_overwrite<uint8_t[]>(done < frames ? bufferFrames * frameBytes : 0);
    while (done < frames) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(bufferFrames, frames - done));
        size_t got = file.Read(buffer.get(), want * frameBytes) / frameBytes;
        bool full = false;
        if (got > static_cast<size_t>(kMaxColumnLength - ci.GetSize())) {
            got = static_cast<size_t>(kMaxColumnLength - ci.GetSize());
            full = true;
        }
        if (got > 0) {
            const int32_t k = static_cast<int32_t>(got);
            double* di = AppendSlots(ci, k, hint);
            double* dq = cq ? AppendSlots(*cq, k, hint) : nullptr;
            if (large) {
                PrepareOutput(di, got);
                if (dq) PrepareOutput(dq, got);
            }
            convert(buffer.get(), got, di, dq);
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

// Reads with the per-sample converter, or the vector conversion where the
// layout has one.
template <bool Big, class Convert>
uint64_t ReadConverted(CFileReader& file, const CSampleLayout& l, uint64_t frames, CDataColumn& ci, CDataColumn* cq,
                       Convert convert) {
    const bool large = IsLarge(std::min(frames, file.Remaining() / l.FrameBytes()), cq != nullptr);
    if (VectorKernel kernel = VectorKernelFor<Big>(l, cq != nullptr, large))
        return ReadWith(file, l, frames, ci, cq, CVectorBlock{kernel, l.m_dOffset, l.m_dDivisor});
    const size_t quadrature = SampleSize(l.m_type) * static_cast<size_t>(l.m_nQuadrature);
    return ReadWith(file, l, frames, ci, cq, CFrameLoop<Convert>{l.FrameBytes(), quadrature, convert});
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
            return ReadConverted<Big>(file, l, frames, ci, cq, CByteTable{table});
        }
        case SampleType::Int16:
            if (l.m_dDivisor == 32767.0 && l.m_dOffset == 0.0)
                return ReadConverted<Big>(file, l, frames, ci, cq, CWordTable<Big>{Wave16Table()});
            if (power)
                return ReadConverted<Big>(file, l, frames, ci, cq, CScaledInt<uint16_t, int16_t, Big>{l.m_dOffset, 1.0 / l.m_dDivisor});
            return ReadConverted<Big>(file, l, frames, ci, cq, CDividedInt<uint16_t, int16_t, Big>{l.m_dOffset, l.m_dDivisor});
        case SampleType::UInt16:
            if (power)
                return ReadConverted<Big>(file, l, frames, ci, cq, CScaledInt<uint16_t, uint16_t, Big>{l.m_dOffset, 1.0 / l.m_dDivisor});
            return ReadConverted<Big>(file, l, frames, ci, cq, CDividedInt<uint16_t, uint16_t, Big>{l.m_dOffset, l.m_dDivisor});
        case SampleType::Int24: return ReadConverted<Big>(file, l, frames, ci, cq, CInt24<Big>{l.m_dOffset, l.m_dDivisor});
        case SampleType::Int32:
            if (power)
                return ReadConverted<Big>(file, l, frames, ci, cq, CScaledInt<uint32_t, int32_t, Big>{l.m_dOffset, 1.0 / l.m_dDivisor});
            return ReadConverted<Big>(file, l, frames, ci, cq, CDividedInt<uint32_t, int32_t, Big>{l.m_dOffset, l.m_dDivisor});
        case SampleType::UInt32:
            if (power)
                return ReadConverted<Big>(file, l, frames, ci, cq, CScaledInt<uint32_t, uint32_t, Big>{l.m_dOffset, 1.0 / l.m_dDivisor});
            return ReadConverted<Big>(file, l, frames, ci, cq, CDividedInt<uint32_t, uint32_t, Big>{l.m_dOffset, l.m_dDivisor});
        case SampleType::Float32: return ReadConverted<Big>(file, l, frames, ci, cq, CFloat<float, uint32_t, Big>{});
        case SampleType::Float64: return ReadConverted<Big>(file, l, frames, ci, cq, CFloat<double, uint64_t, Big>{});
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

bool SetVectorConversion(bool on) {
    const bool previous = g_bVectorKernels;
    g_bVectorKernels = on;
    return previous;
}

uint64_t ReadSampleFrames(CFileReader& file, const CSampleLayout& layout, uint64_t frames, CDataColumn& ci,
                          CDataColumn* cq) {
    if (layout.m_nPerFrame < 1 || (cq && (layout.m_nQuadrature < 1 || layout.m_nQuadrature >= layout.m_nPerFrame)))
        return 0;
    return layout.m_bBigEndian ? ReadOrdered<true>(file, layout, frames, ci, cq)
                               : ReadOrdered<false>(file, layout, frames, ci, cq);
}

}  // namespace kv
