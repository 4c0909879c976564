// FFT kernels for processors with AVX2 and FMA (four doubles per vector).
// This unit is compiled with -mavx2 -mfma; the planner calls into it only
// after checking the processor.
#include "dsp/FftKernels.h"

#if defined(__AVX2__) && defined(__FMA__)
#include <immintrin.h>

namespace kv::fft {
namespace {

inline double RoundToFloat(double x) {
    __m128 f = _mm_cvtsd_ss(_mm_setzero_ps(), _mm_set_sd(x));
    return _mm_cvtsd_f64(_mm_cvtss_sd(_mm_setzero_pd(), f));
}

struct VWide {
    using T = __m256d;
    static constexpr int W = 4;
    static inline T Load(const double* p) { return _mm256_loadu_pd(p); }
    static inline void Store(double* p, T a) { _mm256_storeu_pd(p, a); }
    static inline T Set(double x) { return _mm256_set1_pd(x); }
    static inline T Zero() { return _mm256_setzero_pd(); }
    static inline T Add(T a, T b) { return _mm256_add_pd(a, b); }
    static inline T Sub(T a, T b) { return _mm256_sub_pd(a, b); }
    static inline T Mul(T a, T b) { return _mm256_mul_pd(a, b); }
    static inline T MulAdd(T a, T b, T c) { return _mm256_fmadd_pd(a, b, c); }
    static inline T MulSub(T a, T b, T c) { return _mm256_fmsub_pd(a, b, c); }
    static inline T Round(T a) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(a)); }
    static inline void Transpose(T* x) {
        T t0 = _mm256_unpacklo_pd(x[0], x[1]);
        T t1 = _mm256_unpackhi_pd(x[0], x[1]);
        T t2 = _mm256_unpacklo_pd(x[2], x[3]);
        T t3 = _mm256_unpackhi_pd(x[2], x[3]);
        x[0] = _mm256_permute2f128_pd(t0, t2, 0x20);
        x[1] = _mm256_permute2f128_pd(t1, t3, 0x20);
        x[2] = _mm256_permute2f128_pd(t0, t2, 0x31);
        x[3] = _mm256_permute2f128_pd(t1, t3, 0x31);
    }
};

#include "dsp/FftKernels.inc"

}  // namespace

KernelSet Avx2Kernels() {
    return KernelSet{&RunStagesImpl, &RunStage1Impl, &RunGroupImpl, &ConvolveImpl, &ForwardImpl};
}

}  // namespace kv::fft

#else

namespace kv::fft {
KernelSet Avx2Kernels() { return KernelSet{nullptr, nullptr, nullptr, nullptr, nullptr}; }
}  // namespace kv::fft

#endif
