#pragma once
#include <cstdint>
#include <vector>

namespace kv::test {

// A plain transcription of the mixed-radix FFT as documented: its own
// factorisation, the digit-reversed copy, running-product twiddles and
// trigonometric tables, the O(r^2) odd butterfly and the single-precision
// write-back of every pass. Slow; it serves as the oracle for the structure
// of the fast transform.
std::vector<int32_t> ReferenceFactors(int32_t n);
void ReferenceFft(int32_t n, float scale, const double* srcRe, const double* srcIm, double* dstRe, double* dstIm);

// The exact DFT in long double of selected bins (all when bins is empty).
void ExactDft(int64_t n, double scale, const double* re, const double* im, const std::vector<int64_t>& bins,
              std::vector<long double>& outRe, std::vector<long double>& outIm);

}  // namespace kv::test
