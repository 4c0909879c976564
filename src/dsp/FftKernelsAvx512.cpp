// FFT kernels for processors with AVX-512 (eight doubles per vector, 32
// registers). This unit is compiled with -mavx512f; the planner calls into
// it only after checking the processor.
#include "dsp/FftKernels.h"

#if defined(__AVX512F__)
// GCC 12's AVX-512 intrinsics start some results from deliberately undefined
// vectors, which -Wmaybe-uninitialized reports wherever they are inlined.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif
#include <immintrin.h>

namespace kv::fft {
namespace {

inline double RoundToFloat(double x) {
    __m128 f = _mm_cvtsd_ss(_mm_setzero_ps(), _mm_set_sd(x));
    return _mm_cvtsd_f64(_mm_cvtss_sd(_mm_setzero_pd(), f));
}

struct VWide {
    using T = __m512d;
    static constexpr int W = 8;
    static inline T Load(const double* p) { return _mm512_loadu_pd(p); }
    static inline void Store(double* p, T a) { _mm512_storeu_pd(p, a); }
    static inline T Set(double x) { return _mm512_set1_pd(x); }
    static inline T Zero() { return _mm512_setzero_pd(); }
    static inline T Add(T a, T b) { return _mm512_add_pd(a, b); }
    static inline T Sub(T a, T b) { return _mm512_sub_pd(a, b); }
    static inline T Mul(T a, T b) { return _mm512_mul_pd(a, b); }
    static inline T MulAdd(T a, T b, T c) { return _mm512_fmadd_pd(a, b, c); }
    static inline T MulSub(T a, T b, T c) { return _mm512_fmsub_pd(a, b, c); }
    static inline T Round(T a) { return _mm512_cvtps_pd(_mm512_cvtpd_ps(a)); }
    // 8 x 8 transpose: pairs, then 128-bit lanes twice.
    static inline void Transpose(T* x) {
        T t[8], u[8];
        for (int i = 0; i < 4; ++i) {
            t[2 * i] = _mm512_unpacklo_pd(x[2 * i], x[2 * i + 1]);
            t[2 * i + 1] = _mm512_unpackhi_pd(x[2 * i], x[2 * i + 1]);
        }
        u[0] = _mm512_shuffle_f64x2(t[0], t[2], 0x88);
        u[1] = _mm512_shuffle_f64x2(t[0], t[2], 0xDD);
        u[2] = _mm512_shuffle_f64x2(t[1], t[3], 0x88);
        u[3] = _mm512_shuffle_f64x2(t[1], t[3], 0xDD);
        u[4] = _mm512_shuffle_f64x2(t[4], t[6], 0x88);
        u[5] = _mm512_shuffle_f64x2(t[4], t[6], 0xDD);
        u[6] = _mm512_shuffle_f64x2(t[5], t[7], 0x88);
        u[7] = _mm512_shuffle_f64x2(t[5], t[7], 0xDD);
        x[0] = _mm512_shuffle_f64x2(u[0], u[4], 0x88);
        x[4] = _mm512_shuffle_f64x2(u[0], u[4], 0xDD);
        x[2] = _mm512_shuffle_f64x2(u[1], u[5], 0x88);
        x[6] = _mm512_shuffle_f64x2(u[1], u[5], 0xDD);
        x[1] = _mm512_shuffle_f64x2(u[2], u[6], 0x88);
        x[5] = _mm512_shuffle_f64x2(u[2], u[6], 0xDD);
        x[3] = _mm512_shuffle_f64x2(u[3], u[7], 0x88);
        x[7] = _mm512_shuffle_f64x2(u[3], u[7], 0xDD);
    }
};

#include "dsp/FftKernels.inc"

}  // namespace

KernelSet Avx512Kernels() {
    return KernelSet{&RunStagesImpl, &RunStage1Impl, &RunGroupImpl, &ConvolveImpl, &ForwardImpl};
}

}  // namespace kv::fft

#else

namespace kv::fft {
KernelSet Avx512Kernels() { return KernelSet{nullptr, nullptr, nullptr, nullptr, nullptr}; }
}  // namespace kv::fft

#endif
