#pragma once
// Internal interface between the FFT planner (MixedRadixFft.cpp) and the
// vector kernels, which are compiled once for baseline x86-64 and once with
// AVX2/FMA. Only plain data crosses it: the kernel units include nothing but
// this header and the intrinsics, so no inline library code is shared between
// units compiled for different processors.
#include <cstddef>
#include <cstdint>

namespace kv::fft {

// Widest vector (doubles) the kernels use; the convolution transform groups
// its rows by it.
inline constexpr int kMaxLanes = 8;
// Doubles per cache line: the stages work on this many columns or positions
// at a time, whatever the vector width, and scratch is sized for it.
inline constexpr int kLineDoubles = 8;
// Radices from kMinChirpRadix up are computed by chirp convolution; smaller
// odd primes by the direct symmetric sum.
inline constexpr int32_t kMinChirpRadix = 64;

// A pass of the first stage, run on kMaxLanes independent blocks at once.
struct Stage1Pass {
    int32_t r = 0;
    int64_t s = 0;                    // product of the radices of the earlier passes
    const double* twRe = nullptr;     // twiddles w_{s r}^{d b}: [d * (r - 1) + b - 1], d < s
    const double* twIm = nullptr;
    const double* trigRe = nullptr;   // odd radices: cos(2 pi q / r), q < r
    const double* trigIm = nullptr;   // odd radices: -sin(2 pi q / r)
};

// A pass of the second stage, run inside a group of consecutive passes on
// runs of consecutive positions d.
struct Stage2Pass {
    int32_t r = 0;
    int64_t pi = 1;                   // product of the radices of the earlier passes of the group
    const double* uRe = nullptr;      // w_{s r}^{d b} for d < S: [(b - 1) * S + d]
    const double* uIm = nullptr;
    const double* cRe = nullptr;      // w_{pi r}^{tl b}: [tl * (r - 1) + b - 1], tl < pi
    const double* cIm = nullptr;
    const double* trigRe = nullptr;
    const double* trigIm = nullptr;
};

struct Stage2Group {
    int64_t S = 0;   // sofar of the group's first pass
    int64_t R = 0;   // product of the group's radices
    int32_t first = 0;
    int32_t count = 0;
};

struct FftJob {
    int64_t n = 0;
    double scale = 1.0;
    const double* srcRe = nullptr;
    const double* srcIm = nullptr;
    double* dstRe = nullptr;
    double* dstIm = nullptr;

    // Stage 1: digit-reversed, scaled copy fused with the first passes. With
    // nStage1 = 0 the destination already holds the reordered input.
    int32_t nStage1 = 0;
    Stage1Pass stage1[32];
    int64_t P = 1;                          // block length: product of the stage-1 radices
    int64_t Q = 1;                          // number of blocks
    const int64_t* rowOffset = nullptr;     // P entries: source offset of block position e
    const int64_t* blockOffset = nullptr;   // Q entries: destination start of the block read from column c
    double* bufRe = nullptr;                // P * kLineDoubles doubles each, 64-byte aligned
    double* bufIm = nullptr;

    // Stage 2: the remaining passes in groups.
    int32_t nGroups = 0;
    Stage2Group groups[32];
    Stage2Pass passes[32];
    double* locRe = nullptr;                // (maximum group R) * kLineDoubles doubles each
    double* locIm = nullptr;
};

// Power-of-two transform of length m = m1 * m2 used for cyclic convolution,
// on buffers of m1 * pitch values: point n in row n / m2, column n % m2.
// Its forward output is left in a scrambled order; the inverse reads that
// order back. Rows are handled in groups of kMaxLanes.
struct ConvPlan {
    int64_t m = 0;
    int64_t m1 = 0;                  // rows
    int64_t m2 = 0;                  // columns (row length)
    int64_t pitch = 0;               // doubles from one row to the next (m2 plus a line, so that
                                     // a column does not fall into a handful of cache sets)
    int64_t nmax = 0;                // max(m1, m2)
    const double* wRe = nullptr;     // w_nmax^j, j < nmax
    const double* wIm = nullptr;
    const double* rowTwRe = nullptr; // [rowGroup][n2][lane]: w_m^{n2 * k1(row)}
    const double* rowTwIm = nullptr;
    const double* kernRe = nullptr;  // spectrum to multiply by, in the scrambled order (m1 * pitch values; null: none)
    const double* kernIm = nullptr;
    double* locRe = nullptr;         // nmax * kMaxLanes doubles each, 64-byte aligned
    double* locIm = nullptr;
};

// Aggregate of plain function pointers (no member initialisers, so no
// constructor code is generated in the kernel units).
struct KernelSet {
    void (*runStages)(const FftJob& job);
    // Parts of runStages, for several threads (each with its own job copy
    // and scratch): the stage-1 source columns cBegin ... cEnd - 1, and the
    // blocks gBegin ... gEnd - 1, positions dBegin ... dEnd - 1, of one
    // second-stage group. Column and position ranges start at multiples of
    // kLineDoubles; a part computes exactly what the whole run computes there.
    void (*runStage1)(const FftJob& job, int64_t cBegin, int64_t cEnd);
    void (*runGroup)(const FftJob& job, int32_t group, int64_t gBegin, int64_t gEnd, int64_t dBegin, int64_t dEnd);
    // re/im (m values each, natural order; values from inputLength on are
    // taken as zero without being read, except for the rest of the row that
    // holds the last input value, which must be zero) ->
    // inverse(forward(x) * kernel), unnormalised (scaled by m).
    void (*convolve)(const ConvPlan& plan, double* re, double* im, int64_t inputLength);
    // re/im -> forward transform in the scrambled order (same input rule).
    void (*forward)(const ConvPlan& plan, double* re, double* im, int64_t inputLength);
};

KernelSet BaselineKernels();
// The AVX2/FMA and AVX-512 sets; their members are null when this build has
// none. Call them only on processors with these instructions.
KernelSet Avx2Kernels();
KernelSet Avx512Kernels();

}  // namespace kv::fft
