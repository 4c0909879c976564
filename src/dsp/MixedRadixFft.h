#pragma once
#include <cstdint>

namespace kv {

class CDataColumn;

// The complex forward DFT of the program: a mixed-radix, decimation-in-time
// FFT of any length whose largest prime factor is at most kMaxFftFactor.
//
// The input is first copied into the destination in digit-reversed order and
// multiplied by the (single-precision) scale; then one radix pass runs per
// factor, in the order FactorFftLength gives. Arithmetic is double precision,
// but every value a pass writes back is rounded to the nearest 32-bit float,
// so the output of every transform is exactly representable as a float.
//
//   dst[k] = sum over n of scale * src[start + n] * exp(-j 2 pi n k / N)
//
// The destination columns must hold at least N values and the source columns
// start + N; calls that break this change nothing. Source and destination may
// be the same columns (the source range is then copied first).
//
// The module keeps shared scratch and the tables of the last length it
// planned; it is not reentrant (calls are serialised by a lock).
void MixedRadixFft(int32_t start, int32_t n, float scale, const CDataColumn& srcRe, const CDataColumn& srcIm,
                   CDataColumn& dstRe, CDataColumn& dstIm);

// The same on plain arrays: reads n points from src, writes n points to dst.
// The arrays must not overlap.
void MixedRadixFft(int32_t n, float scale, const double* srcRe, const double* srcIm, double* dstRe,
                   double* dstIm);

// Largest factor the radix passes accept (0x270D). 9973 is the largest prime
// below it.
inline constexpr int32_t kMaxFftFactor = 9997;

// The factors of n in pass order, in fact[1..m] (fact[0] is unused); returns
// m. Tens are taken first, then eights, fives, fours, threes and twos; a
// final two is merged with an earlier eight into two fours; the rest is split
// into primes; the list is then reversed, so the largest prime above five
// comes first. n = 1 gives the single factor 1; n < 1 gives no factor.
int32_t FactorFftLength(int32_t n, int32_t (&fact)[32]);

// True when the first factor of n (its largest prime factor whenever that
// is above five) is at most kMaxFftFactor; largestFactor receives it
// (0 for n < 1, which is never supported).
bool FftLengthSupported(int32_t n, int32_t* largestFactor = nullptr);

// The largest power of two not above n (n itself for a power of two); 0 for
// n < 1.
int32_t NextLowerPowerOfTwo(int32_t n);

// Forward DFT of any length n >= 1 in double precision, by the chirp-z
// (Bluestein) method over a power-of-two transform. Not the program's FFT:
// there is no per-pass rounding and no limit on prime factors; it serves
// computations whose length the FFT does not accept. May throw
// std::bad_alloc for very long inputs.
void ChirpDft(int64_t n, const double* inRe, const double* inIm, double* outRe, double* outIm);

// The vector code of the FFT: level 0 is the baseline (SSE2), 1 AVX2/FMA,
// 2 AVX-512. The FFT uses the widest the processor has, up to the limit set
// here (2 by default); SetFftVectorLimit returns the previous limit and
// FftVectorLevel the level in use. For tests and benchmarks.
int SetFftVectorLimit(int level);
int FftVectorLevel();

// Frees what the FFT keeps between transforms (the plan of the last length,
// its scratch buffers and the cached chirp transforms); the next transform
// builds what it needs again, with the same results.
void ReleaseFftWorkspace();

}  // namespace kv
