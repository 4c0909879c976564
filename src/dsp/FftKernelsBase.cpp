// FFT kernels for any x86-64 processor (SSE2, two doubles per vector); other
// processors get the one-lane code.
#include "dsp/FftKernels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kv::fft {
namespace {

#if defined(__SSE2__)
inline double RoundToFloat(double x) {
    __m128 f = _mm_cvtsd_ss(_mm_setzero_ps(), _mm_set_sd(x));
    return _mm_cvtsd_f64(_mm_cvtss_sd(_mm_setzero_pd(), f));
}

struct VWide {
    using T = __m128d;
    static constexpr int W = 2;
    static inline T Load(const double* p) { return _mm_loadu_pd(p); }
    static inline void Store(double* p, T a) { _mm_storeu_pd(p, a); }
    static inline T Set(double x) { return _mm_set1_pd(x); }
    static inline T Zero() { return _mm_setzero_pd(); }
    static inline T Add(T a, T b) { return _mm_add_pd(a, b); }
    static inline T Sub(T a, T b) { return _mm_sub_pd(a, b); }
    static inline T Mul(T a, T b) { return _mm_mul_pd(a, b); }
    static inline T MulAdd(T a, T b, T c) { return _mm_add_pd(_mm_mul_pd(a, b), c); }
    static inline T MulSub(T a, T b, T c) { return _mm_sub_pd(_mm_mul_pd(a, b), c); }
    static inline T Round(T a) { return _mm_cvtps_pd(_mm_cvtpd_ps(a)); }
    static inline void Transpose(T* x) {
        T a = _mm_unpacklo_pd(x[0], x[1]);
        T b = _mm_unpackhi_pd(x[0], x[1]);
        x[0] = a;
        x[1] = b;
    }
};
#else
inline double RoundToFloat(double x) {
    // Out-of-range conversion is undefined in C++: saturate to infinity as
    // IEEE rounding would.
    const double limit = 3.4028235677973366e38;  // FLT_MAX + half its ulp
    if (x >= limit) return __builtin_inf();
    if (x <= -limit) return -__builtin_inf();
    return static_cast<double>(static_cast<float>(x));
}

struct VWide {
    using T = double;
    static constexpr int W = 1;
    static inline T Load(const double* p) { return *p; }
    static inline void Store(double* p, T a) { *p = a; }
    static inline T Set(double x) { return x; }
    static inline T Zero() { return 0.0; }
    static inline T Add(T a, T b) { return a + b; }
    static inline T Sub(T a, T b) { return a - b; }
    static inline T Mul(T a, T b) { return a * b; }
    static inline T MulAdd(T a, T b, T c) { return a * b + c; }
    static inline T MulSub(T a, T b, T c) { return a * b - c; }
    static inline T Round(T a) { return RoundToFloat(a); }
    static inline void Transpose(T*) {}
};
#endif

#include "dsp/FftKernels.inc"

}  // namespace

KernelSet BaselineKernels() {
    return KernelSet{&RunStagesImpl, &RunStage1Impl, &RunGroupImpl, &ConvolveImpl, &ForwardImpl};
}

}  // namespace kv::fft
