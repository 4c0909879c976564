#include "dsp/MixedRadixFft.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include <atomic>

#include "data/CDataColumn.h"
#include "dsp/FftKernels.h"
#include "platform/CProgress.h"
#include "platform/CWorkerPool.h"

// How the transform is organised
// -------------------------------
// The factorisation, the pass order and the rounding of every value a pass
// writes back to single precision are fixed; the order of the independent
// butterflies inside a pass is not. The work is therefore arranged for the
// memory hierarchy and for vector code:
//
// * Stage 1 fuses the digit-reversed, scaled copy with the first passes.
//   Viewed as a P x Q matrix, the source holds in column c the P points of
//   one block of the first passes (P = product of their radices), so four
//   columns are loaded side by side and the passes run on the four blocks at
//   once, one block per vector lane, before the blocks are transposed into
//   place in the destination.
// * Stage 2 runs the remaining passes in groups of consecutive passes whose
//   radices multiply to at most kMaxGroup: for each run of eight positions d
//   the group's points are gathered into a local buffer, all passes of the
//   group run there (each still rounding its output), and the points go back.
//   A large transform is thus read and written about twice instead of once
//   per pass.
// * Twiddles come from tables computed once per length with fresh sines and
//   cosines (w^(d + S tl) = w^d * w^(S tl) inside a group), not from running
//   products; they are at least as accurate as the recurrence, so the
//   results stay within the rounding of the pass structure.
// * Odd prime radices below kMinChirpRadix use the symmetric direct sum;
//   larger ones compute the same r-point DFT by chirp (Bluestein)
//   convolution over a power-of-two transform, O(r log r) instead of O(r^2).
// * The kernels exist for baseline x86-64 (SSE2), AVX2/FMA and AVX-512; the
//   widest the processor has is chosen at run time.
// * Long transforms use every processor (up to CWorkerPool's limit): each
//   stage is cut into pieces of whole blocks, or of runs of positions that
//   start at whole cache lines, and every piece computes exactly what one
//   thread would compute there, so the result is the same to the bit
//   whatever the number of threads.

namespace kv {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// Largest block of the fused first stage (points); its buffer (P lines of
// eight values, both parts) stays in the first-level cache up to
// kL1Stage1Block. Largest group of second-stage passes (product of radices),
// whose local buffer then takes half the second-level cache.
constexpr int64_t kMaxStage1Block = 4096;
constexpr int64_t kL1Stage1Block = 512;
constexpr int64_t kPreferredStage1Block = 128;
// Transforms up to this length sit in the first two cache levels; for them
// a small first-stage block measures faster.
constexpr int64_t kSmallTransform = 8192;
constexpr int64_t kSmallStage1Block = 16;
constexpr int64_t kMaxGroup = 4096;
// Transforms from this length on are shared among the processors, in about
// kPiecesPerThread pieces per thread and stage. Below it one thread is
// faster: a transform of 65,536 points takes about 0.3 ms on one core, and
// waking a second one costs tens of microseconds per stage, or far more
// when that core is busy with another program.
constexpr int64_t kParallelFrom = int64_t{1} << 17;
constexpr int64_t kPiecesPerThread = 6;
// Transforms from this length on report progress (and can be stopped)
// between pieces, on one thread below kParallelFrom.
constexpr int64_t kProgressFrom = int64_t{1} << 15;
// Chirp plans whose transform is at most this long stay cached.
constexpr int64_t kMaxCachedChirp = int64_t{1} << 16;
constexpr size_t kChirpCacheSize = 4;

double RoundToFloat(double x) {
    // A conversion out of the float range is undefined in C++; saturate as
    // IEEE rounding does.
    constexpr double limit = 3.4028235677973366e38;  // FLT_MAX plus half its ulp
    if (x >= limit) return std::numeric_limits<double>::infinity();
    if (x <= -limit) return -std::numeric_limits<double>::infinity();
    return static_cast<double>(static_cast<float>(x));
}

// exp(-j 2 pi num / den)
void Twiddle(int64_t num, int64_t den, double& re, double& im) {
    num %= den;
    if (num < 0) num += den;
    if (num == 0) {
        re = 1.0;
        im = 0.0;
        return;
    }
    const double a = kTwoPi * (static_cast<double>(num) / static_cast<double>(den));
    re = std::cos(a);
    im = -std::sin(a);
}

class CAlignedBuffer {
public:
    CAlignedBuffer() = default;
    ~CAlignedBuffer() { Free(); }
    CAlignedBuffer(const CAlignedBuffer&) = delete;
    CAlignedBuffer& operator=(const CAlignedBuffer&) = delete;

    // At least n doubles, 64-byte aligned; the contents are kept only when
    // no growth is needed.
    double* Reserve(size_t n) {
        if (n > m_nSize) {
            Free();
            m_pData = static_cast<double*>(::operator new(n * sizeof(double), std::align_val_t(64)));
            m_nSize = n;
        }
        return m_pData;
    }
    double* Data() const { return m_pData; }
    void Free() {
        if (m_pData) ::operator delete(m_pData, std::align_val_t(64));
        m_pData = nullptr;
        m_nSize = 0;
    }

private:
    double* m_pData = nullptr;
    size_t m_nSize = 0;
};

// Real and imaginary parts in one allocation, the imaginary part placed half a
// page away (modulo 4 KiB) from the real part: parts at the same offset modulo
// 4 KiB would make every load of one part wait for the stores to the other.
class CSplitBuffer {
public:
    void Reserve(size_t n) {
        if (n <= m_nSize) return;
        const size_t skew = (256 - n % 512 + 512) % 512;
        m_pRe = m_buffer.Reserve(2 * n + skew);
        m_pIm = m_pRe + n + skew;
        m_nSize = n;
    }
    double* Re() const { return m_pRe; }
    double* Im() const { return m_pIm; }
    void Release() {
        m_buffer.Free();
        m_pRe = m_pIm = nullptr;
        m_nSize = 0;
    }

private:
    CAlignedBuffer m_buffer;
    double* m_pRe = nullptr;
    double* m_pIm = nullptr;
    size_t m_nSize = 0;
};

bool ProcessorHas(const char* feature) {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    if (feature[0] == 'a' && feature[3] == '2') return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return __builtin_cpu_supports("avx512f");
#else
    (void)feature;
    return false;
#endif
}

const fft::KernelSet& BaselineSet() {
    static const fft::KernelSet set = fft::BaselineKernels();
    return set;
}

const fft::KernelSet* Avx2Set() {
    static const fft::KernelSet set =
        ProcessorHas("avx2") ? fft::Avx2Kernels() : fft::KernelSet{nullptr, nullptr, nullptr, nullptr, nullptr};
    return set.runStages ? &set : nullptr;
}

const fft::KernelSet* Avx512Set() {
    static const fft::KernelSet set =
        ProcessorHas("avx512f") ? fft::Avx512Kernels() : fft::KernelSet{nullptr, nullptr, nullptr, nullptr, nullptr};
    return set.runStages ? &set : nullptr;
}

// ---- chirp (Bluestein) transforms of one length ----------------------------------
struct CChirp {
    int64_t r = 0;
    fft::ConvPlan plan;
    std::vector<double> chirpRe, chirpIm;  // exp(-j pi n^2 / r), n < r
    std::vector<double> wRe, wIm;
    CAlignedBuffer rowTwRe, rowTwIm, kernRe, kernIm;
    CSplitBuffer loc, a, out;

    // Place of point n in the transform's buffers.
    int64_t At(int64_t n) const { return n / plan.m2 * plan.pitch + n % plan.m2; }

    // The DFT of r points read from in (with the given stride), written to
    // out (stride 1); twRe/twIm (if given) multiply the input point b first.
    void Transform(const fft::KernelSet& k, const double* inRe, const double* inIm, int64_t stride,
                   const double* twRe, const double* twIm);
    const double* OutRe() const { return out.Re(); }
    const double* OutIm() const { return out.Im(); }
};

std::unique_ptr<CChirp> BuildChirp(int64_t r, const fft::KernelSet& k) {
    auto ch = std::make_unique<CChirp>();
    ch->r = r;
    int64_t m = 64;  // rows and row length at least kMaxLanes
    int bits = 6;
    while (m < 2 * r - 1) {
        m <<= 1;
        ++bits;
    }
    const int bits1 = bits / 2;
    fft::ConvPlan& pl = ch->plan;
    pl.m = m;
    pl.m1 = int64_t{1} << bits1;
    pl.m2 = int64_t{1} << (bits - bits1);
    pl.pitch = pl.m2 + fft::kLineDoubles;
    pl.nmax = pl.m2;
    ch->wRe.resize(static_cast<size_t>(pl.nmax));
    ch->wIm.resize(static_cast<size_t>(pl.nmax));
    for (int64_t j = 0; j < pl.nmax; ++j) Twiddle(j, pl.nmax, ch->wRe[j], ch->wIm[j]);
    pl.wRe = ch->wRe.data();
    pl.wIm = ch->wIm.data();

    // Frequency index held by each row after the column transforms.
    std::vector<int64_t> rowFreq(static_cast<size_t>(pl.m1));
    for (int64_t f = 0; f < pl.m1; ++f) {
        int64_t pos = 0, len = pl.m1, rest = f;
        while (len >= 4) {
            len >>= 2;
            pos += (rest & 3) * len;
            rest >>= 2;
        }
        if (len == 2) pos += rest & 1;
        rowFreq[static_cast<size_t>(pos)] = f;
    }
    const size_t mm = static_cast<size_t>(m);
    double* twr = ch->rowTwRe.Reserve(mm);
    double* twi = ch->rowTwIm.Reserve(mm);
    for (int64_t rg = 0; rg < pl.m1 / fft::kMaxLanes; ++rg)
        for (int64_t n2 = 0; n2 < pl.m2; ++n2)
            for (int l = 0; l < fft::kMaxLanes; ++l) {
                const int64_t t = (rg * pl.m2 + n2) * fft::kMaxLanes + l;
                Twiddle(n2 * rowFreq[static_cast<size_t>(rg * fft::kMaxLanes + l)], m, twr[t], twi[t]);
            }
    pl.rowTwRe = twr;
    pl.rowTwIm = twi;
    ch->loc.Reserve(static_cast<size_t>(pl.nmax) * fft::kMaxLanes);
    pl.locRe = ch->loc.Re();
    pl.locIm = ch->loc.Im();

    ch->chirpRe.resize(static_cast<size_t>(r));
    ch->chirpIm.resize(static_cast<size_t>(r));
    for (int64_t n = 0; n < r; ++n) Twiddle((n * n) % (2 * r), 2 * r, ch->chirpRe[n], ch->chirpIm[n]);

    const size_t padded = static_cast<size_t>(pl.m1 * pl.pitch);
    double* kr = ch->kernRe.Reserve(padded);
    double* ki = ch->kernIm.Reserve(padded);
    std::fill(kr, kr + padded, 0.0);
    std::fill(ki, ki + padded, 0.0);
    kr[0] = ch->chirpRe[0];
    ki[0] = -ch->chirpIm[0];
    for (int64_t n = 1; n < r; ++n) {
        kr[ch->At(n)] = kr[ch->At(m - n)] = ch->chirpRe[n];
        ki[ch->At(n)] = ki[ch->At(m - n)] = -ch->chirpIm[n];
    }
    pl.kernRe = nullptr;
    pl.kernIm = nullptr;
    k.forward(pl, kr, ki, m);
    const double inv = 1.0 / static_cast<double>(m);
    for (size_t i = 0; i < padded; ++i) {
        kr[i] *= inv;
        ki[i] *= inv;
    }
    pl.kernRe = kr;
    pl.kernIm = ki;
    ch->a.Reserve(padded);
    ch->out.Reserve(static_cast<size_t>(r));
    return ch;
}

void CChirp::Transform(const fft::KernelSet& k, const double* inRe, const double* inIm, int64_t stride,
                       const double* twRe, const double* twIm) {
    double* ar = a.Re();
    double* ai = a.Im();
    const int64_t m2 = plan.m2, pitch = plan.pitch;
    // Row by row: point n = row * m2 + col sits at row * pitch + col.
    for (int64_t row = 0, n0 = 0; n0 < r; ++row, n0 += m2) {
        const int64_t cols = std::min(m2, r - n0);
        double* pr = ar + row * pitch;
        double* pi = ai + row * pitch;
        for (int64_t c = 0; c < cols; ++c) {
            const int64_t n = n0 + c;
            double zr = inRe[n * stride], zi = inIm[n * stride];
            if (twRe) {
                const double tr = twRe[n], ti = twIm[n];
                const double nr = tr * zr - ti * zi;
                zi = tr * zi + ti * zr;
                zr = nr;
            }
            pr[c] = zr * chirpRe[n] - zi * chirpIm[n];
            pi[c] = zr * chirpIm[n] + zi * chirpRe[n];
        }
        // The rest of the last row read must be zero.
        std::fill(pr + cols, pr + m2, 0.0);
        std::fill(pi + cols, pi + m2, 0.0);
    }
    k.convolve(plan, ar, ai, r);
    double* orr = out.Re();
    double* oi = out.Im();
    for (int64_t row = 0, n0 = 0; n0 < r; ++row, n0 += m2) {
        const int64_t cols = std::min(m2, r - n0);
        const double* pr = ar + row * pitch;
        const double* pi = ai + row * pitch;
        for (int64_t c = 0; c < cols; ++c) {
            const int64_t n = n0 + c;
            orr[n] = pr[c] * chirpRe[n] - pi[c] * chirpIm[n];
            oi[n] = pr[c] * chirpIm[n] + pi[c] * chirpRe[n];
        }
    }
}

// ---- the plan of one length ------------------------------------------------------
struct CFftPlan {
    int64_t n = 0;
    int32_t m = 0;
    int32_t fact[32] = {};
    int64_t sofar[34] = {};
    int64_t remain[34] = {};
    int32_t nChirp = 0;  // leading passes computed by chirp convolution
    std::vector<int64_t> rowOffset, blockOffset;
    std::vector<std::vector<double>> tables;
    fft::FftJob job;
    size_t stage1Doubles = 0;
    size_t stage2Doubles = 0;

    const double* AddTable(std::vector<double>&& t) {
        tables.push_back(std::move(t));
        return tables.back().data();
    }
    // cos and -sin of 2 pi q / r for an odd radix without its own butterfly.
    void OddTrig(int32_t r, const double*& cRe, const double*& cIm) {
        if (r == 2 || r == 3 || r == 4 || r == 5 || r == 8 || r == 10) return;
        std::vector<double> re(static_cast<size_t>(r)), im(static_cast<size_t>(r));
        for (int32_t q = 0; q < r; ++q) Twiddle(q, r, re[q], im[q]);
        cRe = AddTable(std::move(re));
        cIm = AddTable(std::move(im));
    }
};

// Number of second-stage groups for the passes from first on.
int32_t CountGroups(const CFftPlan& p, int32_t first) {
    int32_t groups = 0;
    for (int32_t i = first; i <= p.m;) {
        int64_t R = p.fact[i];
        int32_t cnt = 1;
        while (i + cnt <= p.m && R * p.fact[i + cnt] <= kMaxGroup) R *= p.fact[i + cnt++];
        ++groups;
        i += cnt;
    }
    return groups;
}

// How many passes stage 1 takes: as few sweeps of the data as possible (each
// second-stage group reads and writes it once), a stage-1 buffer that stays
// in the first-level cache, and among equals a block near
// kPreferredStage1Block (or, if the buffer cannot stay in the first-level
// cache, as many passes in stage 1 as possible: its twiddles are cheaper). Stage 1 keeps at least kLineDoubles blocks, so that
// its vectors are full, unless its first pass alone leaves fewer.
int32_t ChooseStage1(const CFftPlan& p) {
    int32_t best = 1;
    double bestCost = 0.0;
    int64_t P = 1;
    for (int32_t k = 1; k <= p.m; ++k) {
        P *= p.fact[k];
        if (k > 1 && (P > kMaxStage1Block || p.n / P < fft::kLineDoubles)) break;
        const double logP = std::log2(static_cast<double>(P));
        const double preferred = static_cast<double>(p.n <= kSmallTransform ? kSmallStage1Block : kPreferredStage1Block);
        const double tie = P <= kL1Stage1Block ? std::fabs(logP - std::log2(preferred)) : -logP;
        // Second-stage runs of fewer than kLineDoubles positions are scalar.
        const double scalar = k < p.m && P < fft::kLineDoubles ? 8.0 : 0.0;
        const double cost = 2.0 * CountGroups(p, k + 1) + (P > kL1Stage1Block ? 1.0 : 0.0) + scalar + tie / 64.0;
        if (k == 1 || cost < bestCost) {
            best = k;
            bestCost = cost;
        }
    }
    return best;
}

void BuildPlan(CFftPlan& p, int64_t n) {
    p = CFftPlan();
    p.n = n;
    p.m = FactorFftLength(static_cast<int32_t>(n), p.fact);
    const int32_t m = p.m;
    auto f = [&](int32_t i) { return static_cast<int64_t>(p.fact[i]); };
    p.remain[0] = n;
    p.sofar[1] = 1;
    p.remain[1] = n / f(1);
    for (int32_t i = 2; i <= m; ++i) {
        p.sofar[i] = p.sofar[i - 1] * f(i - 1);
        p.remain[i] = p.remain[i - 1] / f(i);
    }
    fft::FftJob& job = p.job;
    int32_t next;
    if (f(1) >= fft::kMinChirpRadix) {
        while (p.nChirp < m && f(p.nChirp + 1) >= fft::kMinChirpRadix) ++p.nChirp;
        next = p.nChirp + 1;
        job.nStage1 = 0;
    } else {
        const int32_t k = ChooseStage1(p);
        int64_t P = 1;
        for (int32_t j = 1; j <= k; ++j) P *= f(j);
        const int64_t Q = n / P;
        job.nStage1 = k;
        job.P = P;
        job.Q = Q;
        // Source offset of each block position: its digits (first pass
        // least significant) weighted by remain.
        p.rowOffset.assign(static_cast<size_t>(P), 0);
        {
            int64_t c[34] = {};
            int64_t off = 0;
            for (int64_t e = 0; e < P; ++e) {
                p.rowOffset[static_cast<size_t>(e)] = off;
                for (int32_t j = 1; j <= k; ++j) {
                    off += p.remain[j];
                    if (++c[j] < f(j)) break;
                    off -= c[j] * p.remain[j];
                    c[j] = 0;
                }
            }
        }
        // Destination block of each source column: the column is the block
        // number's remaining digits weighted by remain.
        p.blockOffset.assign(static_cast<size_t>(Q), 0);
        {
            int64_t c[34] = {};
            int64_t col = 0;
            for (int64_t ih = 0; ih < Q; ++ih) {
                p.blockOffset[static_cast<size_t>(col)] = P * ih;
                for (int32_t j = k + 1; j <= m; ++j) {
                    col += p.remain[j];
                    if (++c[j] < f(j)) break;
                    col -= c[j] * p.remain[j];
                    c[j] = 0;
                }
            }
        }
        job.rowOffset = p.rowOffset.data();
        job.blockOffset = p.blockOffset.data();
        for (int32_t j = 1; j <= k; ++j) {
            fft::Stage1Pass& sp = job.stage1[j - 1];
            const int32_t r = p.fact[j];
            sp.r = r;
            sp.s = p.sofar[j];
            if (sp.s > 1) {
                const size_t cnt = static_cast<size_t>(sp.s) * static_cast<size_t>(r - 1);
                std::vector<double> re(cnt), im(cnt);
                for (int64_t d = 0; d < sp.s; ++d)
                    for (int32_t b = 1; b < r; ++b)
                        Twiddle(d * b, sp.s * r, re[static_cast<size_t>(d * (r - 1) + b - 1)],
                                im[static_cast<size_t>(d * (r - 1) + b - 1)]);
                sp.twRe = p.AddTable(std::move(re));
                sp.twIm = p.AddTable(std::move(im));
            }
            p.OddTrig(r, sp.trigRe, sp.trigIm);
        }
        p.stage1Doubles = static_cast<size_t>(P) * fft::kLineDoubles;
        next = k + 1;
    }
    int64_t maxR = 0;
    int32_t passIndex = 0;
    for (int32_t i = next; i <= m;) {
        const int64_t S = p.sofar[i];
        int64_t R = f(i);
        int32_t cnt = 1;
        while (i + cnt <= m && R * f(i + cnt) <= kMaxGroup) {
            R *= f(i + cnt);
            ++cnt;
        }
        fft::Stage2Group& grp = job.groups[job.nGroups++];
        grp.S = S;
        grp.R = R;
        grp.first = passIndex;
        grp.count = cnt;
        maxR = std::max(maxR, R);
        for (int32_t j = i; j < i + cnt; ++j) {
            fft::Stage2Pass& sp = job.passes[passIndex++];
            const int32_t r = p.fact[j];
            const int64_t pi = p.sofar[j] / S;
            sp.r = r;
            sp.pi = pi;
            const size_t ucnt = static_cast<size_t>(S) * static_cast<size_t>(r - 1);
            std::vector<double> ure(ucnt), uim(ucnt);
            for (int32_t b = 1; b < r; ++b)
                for (int64_t d = 0; d < S; ++d)
                    Twiddle(d * b, p.sofar[j] * r, ure[static_cast<size_t>((b - 1) * S + d)],
                            uim[static_cast<size_t>((b - 1) * S + d)]);
            sp.uRe = p.AddTable(std::move(ure));
            sp.uIm = p.AddTable(std::move(uim));
            const size_t ccnt = static_cast<size_t>(pi) * static_cast<size_t>(r - 1);
            std::vector<double> cre(ccnt), cim(ccnt);
            for (int64_t tl = 0; tl < pi; ++tl)
                for (int32_t b = 1; b < r; ++b)
                    Twiddle(tl * b, pi * r, cre[static_cast<size_t>(tl * (r - 1) + b - 1)],
                            cim[static_cast<size_t>(tl * (r - 1) + b - 1)]);
            sp.cRe = p.AddTable(std::move(cre));
            sp.cIm = p.AddTable(std::move(cim));
            p.OddTrig(r, sp.trigRe, sp.trigIm);
        }
        i += cnt;
    }
    p.stage2Doubles = static_cast<size_t>(maxR) * fft::kLineDoubles;
}

// ---- module state ------------------------------------------------------------------
struct CWorkspace {
    std::mutex lock;
    int vectorLimit = 2;
    CFftPlan plan;
    CSplitBuffer buf, loc;
    // Scratch of the worker threads (the calling thread has buf and loc).
    CSplitBuffer workerBuf[CWorkerPool::kMaxThreads], workerLoc[CWorkerPool::kMaxThreads];
    std::vector<double> twRe, twIm;  // twiddles of one chirp butterfly
    std::vector<std::unique_ptr<CChirp>> chirps;  // most recently used first

    const fft::KernelSet& Kernels() const {
        if (vectorLimit >= 2 && Avx512Set()) return *Avx512Set();
        if (vectorLimit >= 1 && Avx2Set()) return *Avx2Set();
        return BaselineSet();
    }
    int Level() const {
        if (vectorLimit >= 2 && Avx512Set()) return 2;
        if (vectorLimit >= 1 && Avx2Set()) return 1;
        return 0;
    }

    // The chirp transform of length r, from the cache or newly built; a long
    // one that is not cached is returned through holder.
    CChirp& Chirp(int64_t r, std::unique_ptr<CChirp>& holder) {
        for (size_t i = 0; i < chirps.size(); ++i)
            if (chirps[i]->r == r) {
                std::rotate(chirps.begin(), chirps.begin() + static_cast<std::ptrdiff_t>(i),
                            chirps.begin() + static_cast<std::ptrdiff_t>(i) + 1);
                return *chirps.front();
            }
        std::unique_ptr<CChirp> ch = BuildChirp(r, Kernels());
        if (ch->plan.m > kMaxCachedChirp) {
            holder = std::move(ch);
            return *holder;
        }
        if (chirps.size() >= kChirpCacheSize) chirps.pop_back();
        chirps.insert(chirps.begin(), std::move(ch));
        return *chirps.front();
    }
};

CWorkspace& Work() {
    static CWorkspace w;
    return w;
}

// Digit-reversed copy with scaling, as the passes expect it.
void ReorderedCopy(const CFftPlan& p, double scale, const double* sr, const double* si, double* dr, double* di) {
    const int64_t n = p.n;
    int64_t c[34] = {};
    int64_t k = 0;
    for (int64_t i = 0; i + 1 < n; ++i) {
        dr[i] = scale * sr[k];
        di[i] = scale * si[k];
        k += p.remain[1];
        ++c[1];
        int32_t j = 1;
        while (c[j] >= p.fact[j]) {
            c[j] = 0;
            k = k - p.remain[j - 1] + p.remain[j + 1];
            ++j;
            ++c[j];
        }
    }
    dr[n - 1] = scale * sr[n - 1];
    di[n - 1] = scale * si[n - 1];
}

// One pass of a radix from kMinChirpRadix up, by chirp convolution.
void ChirpPass(CWorkspace& w, const CFftPlan& p, int32_t pass, double* dr, double* di) {
    const int64_t r = p.fact[pass], s = p.sofar[pass], q = p.remain[pass];
    std::unique_ptr<CChirp> holder;
    CChirp& ch = w.Chirp(r, holder);
    const fft::KernelSet& k = w.Kernels();
    if (s > 1) {
        w.twRe.resize(static_cast<size_t>(r));
        w.twIm.resize(static_cast<size_t>(r));
    }
    for (int64_t g = 0; g < q; ++g)
        for (int64_t d = 0; d < s; ++d) {
            const int64_t base = g * s * r + d;
            const bool twiddle = s > 1 && d > 0;
            if (twiddle)
                for (int64_t b = 0; b < r; ++b) Twiddle(d * b, s * r, w.twRe[b], w.twIm[b]);
            ch.Transform(k, dr + base, di + base, s, twiddle ? w.twRe.data() : nullptr,
                         twiddle ? w.twIm.data() : nullptr);
            const double* outR = ch.OutRe();
            const double* outI = ch.OutIm();
            double* pr = dr + base;
            double* pi = di + base;
            for (int64_t b = 0; b < r; ++b) {
                pr[b * s] = RoundToFloat(outR[b]);
                pi[b * s] = RoundToFloat(outI[b]);
            }
        }
}

// A piece of one stage: stage-1 columns (group < 0) or blocks and positions
// of a second-stage group.
struct CPiece {
    int32_t group;
    int64_t gBegin, gEnd, dBegin, dEnd;
};

// Cuts 0 ... count - 1 into about `pieces` runs that start at multiples of
// kLineDoubles; calls add(begin, end) for each.
template <class Add>
void CutAtLines(int64_t count, int64_t pieces, Add&& add) {
    int64_t begin = 0;
    for (int64_t i = 1; i <= pieces && begin < count; ++i) {
        int64_t end = i == pieces ? count : count * i / pieces / fft::kLineDoubles * fft::kLineDoubles;
        if (end <= begin) continue;
        add(begin, end);
        begin = end;
    }
}

// The pieces of stage 1 (group -1) or of a second-stage group.
void StagePieces(const fft::FftJob& job, int32_t group, int64_t wanted, std::vector<CPiece>& out) {
    out.clear();
    if (group < 0) {
        CutAtLines(job.Q, wanted, [&](int64_t b, int64_t e) { out.push_back({-1, 0, 0, b, e}); });
        return;
    }
    const fft::Stage2Group& grp = job.groups[group];
    const int64_t blocks = job.n / (grp.S * grp.R);
    if (blocks >= wanted) {
        for (int64_t i = 0; i < wanted; ++i) {
            const int64_t b = blocks * i / wanted, e = blocks * (i + 1) / wanted;
            if (e > b) out.push_back({group, b, e, 0, grp.S});
        }
        return;
    }
    const int64_t perBlock = (wanted + blocks - 1) / blocks;
    for (int64_t g = 0; g < blocks; ++g)
        CutAtLines(grp.S, perBlock, [&](int64_t b, int64_t e) { out.push_back({group, g, g + 1, b, e}); });
}

// The radix passes of a planned job, shared among the threads; progress is
// reported (and a request to stop taken) between the calling thread's pieces.
void RunStagesShared(CWorkspace& w, const CFftPlan& p, const fft::FftJob& job, int threads) {
    const fft::KernelSet& k = w.Kernels();
    fft::FftJob jobs[CWorkerPool::kMaxThreads];
    for (int t = 0; t < threads; ++t) {
        jobs[t] = job;
        if (t == 0) continue;
        w.workerBuf[t].Reserve(std::max<size_t>(p.stage1Doubles, 1));
        w.workerLoc[t].Reserve(std::max<size_t>(p.stage2Doubles, 1));
        jobs[t].bufRe = w.workerBuf[t].Re();
        jobs[t].bufIm = w.workerBuf[t].Im();
        jobs[t].locRe = w.workerLoc[t].Re();
        jobs[t].locIm = w.workerLoc[t].Im();
    }
    const int32_t stages = (job.nStage1 > 0 ? 1 : 0) + job.nGroups;
    std::vector<CPiece> pieces;
    int32_t stage = 0;
    for (int32_t group = job.nStage1 > 0 ? -1 : 0; group < job.nGroups; ++group, ++stage) {
        StagePieces(job, group, kPiecesPerThread * threads, pieces);
        std::atomic<size_t> next{0};
        std::atomic<bool> stop{false};
        CWorkerPool::Instance().Run(threads, [&](int t) {
            for (;;) {
                if (stop.load(std::memory_order_relaxed)) return;
                const size_t i = next.fetch_add(1);
                if (i >= pieces.size()) return;
                const CPiece& c = pieces[i];
                if (c.group < 0)
                    k.runStage1(jobs[t], c.dBegin, c.dEnd);
                else
                    k.runGroup(jobs[t], c.group, c.gBegin, c.gEnd, c.dBegin, c.dEnd);
                if (t == 0) {
                    try {
                        ReportProgress(static_cast<uint64_t>(stage) * pieces.size() + std::min(i + 1, pieces.size()),
                                       static_cast<uint64_t>(stages) * pieces.size());
                    } catch (...) {
                        stop = true;
                        throw;
                    }
                }
            }
        });
    }
}

void RunFft(int64_t n, float scale, const double* sr, const double* si, double* dr, double* di) {
    CWorkspace& w = Work();
    std::lock_guard<std::mutex> guard(w.lock);
    const double sc = static_cast<double>(scale);
    if (n == 1) {
        // A single point: its factor is 1, whose pass only rounds.
        dr[0] = RoundToFloat(sc * sr[0]);
        di[0] = RoundToFloat(sc * si[0]);
        return;
    }
    CFftPlan& p = w.plan;
    if (p.n != n) {
        p.n = 0;
        BuildPlan(p, n);
    }
    fft::FftJob& job = p.job;
    job.n = n;
    job.scale = sc;
    job.srcRe = sr;
    job.srcIm = si;
    job.dstRe = dr;
    job.dstIm = di;
    w.buf.Reserve(std::max<size_t>(p.stage1Doubles, 1));
    w.loc.Reserve(std::max<size_t>(p.stage2Doubles, 1));
    job.bufRe = w.buf.Re();
    job.bufIm = w.buf.Im();
    job.locRe = w.loc.Re();
    job.locIm = w.loc.Im();
    if (p.nChirp > 0) {
        ReorderedCopy(p, sc, sr, si, dr, di);
        for (int32_t i = 1; i <= p.nChirp; ++i) ChirpPass(w, p, i, dr, di);
    }
    if (job.nStage1 == 0 && job.nGroups == 0) return;
    const int threads = n >= kParallelFrom ? CWorkerPool::Instance().Threads() : 1;
    if (threads > 1 || (n >= kProgressFrom && CProgress::Current()))
        RunStagesShared(w, p, job, threads);
    else
        w.Kernels().runStages(job);
}

}  // namespace

// ---- public functions ---------------------------------------------------------------

int32_t FactorFftLength(int32_t n, int32_t (&fact)[32]) {
    for (int32_t& f : fact) f = 0;
    if (n < 1) return 0;
    if (n == 1) {
        fact[1] = 1;
        return 1;
    }
    static constexpr int32_t kRadices[] = {2, 3, 4, 5, 8, 10};
    int32_t found[32];
    int32_t m = 0;
    int32_t rest = n;
    for (int ri = 5; ri >= 0 && rest > 1; --ri) {
        const int32_t r = kRadices[ri];
        while (rest > 1 && rest % r == 0) {
            rest /= r;
            found[m++] = r;
        }
    }
    // A final two merges with an earlier eight into two fours.
    if (m > 0 && found[m - 1] == 2) {
        for (int32_t i = m - 2; i >= 0; --i)
            if (found[i] == 8) {
                found[i] = 4;
                found[m - 1] = 4;
                break;
            }
    }
    if (rest > 1) {
        for (int32_t k = 2; static_cast<double>(k) < std::sqrt(static_cast<double>(rest)) + 1.0; ++k)
            while (rest % k == 0) {
                rest /= k;
                found[m++] = k;
            }
        if (rest > 1) found[m++] = rest;
    }
    for (int32_t i = 0; i < m; ++i) fact[i + 1] = found[m - 1 - i];
    return m;
}

bool FftLengthSupported(int32_t n, int32_t* largestFactor) {
    int32_t fact[32];
    const int32_t m = FactorFftLength(n, fact);
    const int32_t first = m > 0 ? fact[1] : 0;
    if (largestFactor) *largestFactor = first;
    return m > 0 && first <= kMaxFftFactor;
}

int32_t NextLowerPowerOfTwo(int32_t n) {
    if (n < 1) return 0;
    int p = static_cast<int>(std::log(static_cast<double>(n)) * 1.442695022 + 0.00001);
    if (p > 30) p = 30;
    // The logarithm is nudged upwards; just below a large power of two that
    // can give the power above n, which must never be returned.
    while (p > 0 && (int64_t{1} << p) > n) --p;
    return int32_t{1} << p;
}

void MixedRadixFft(int32_t n, float scale, const double* srcRe, const double* srcIm, double* dstRe,
                   double* dstIm) {
    if (n < 1) return;
    RunFft(n, scale, srcRe, srcIm, dstRe, dstIm);
}

void MixedRadixFft(int32_t start, int32_t n, float scale, const CDataColumn& srcRe, const CDataColumn& srcIm,
                   CDataColumn& dstRe, CDataColumn& dstIm) {
    if (n < 1 || start < 0) return;
    const int64_t end = int64_t{start} + n;
    if (end > srcRe.GetSize() || end > srcIm.GetSize()) return;
    if (dstRe.GetSize() < n || dstIm.GetSize() < n || &dstRe == &dstIm) return;
    const double* sr = srcRe.GetData() + start;
    const double* si = srcIm.GetData() + start;
    const size_t count = static_cast<size_t>(n);
    auto overlaps = [count](const double* a, const double* b) { return a < b + count && b < a + count; };
    double* dr = dstRe.GetWritableData();
    double* di = dstIm.GetWritableData();
    if (overlaps(sr, dr) || overlaps(sr, di) || overlaps(si, dr) || overlaps(si, di)) {
        std::vector<double> re(sr, sr + count), im(si, si + count);
        RunFft(n, scale, re.data(), im.data(), dr, di);
        return;
    }
    RunFft(n, scale, sr, si, dr, di);
}

void ChirpDft(int64_t n, const double* inRe, const double* inIm, double* outRe, double* outIm) {
    if (n < 1) return;
    CWorkspace& w = Work();
    std::lock_guard<std::mutex> guard(w.lock);
    std::unique_ptr<CChirp> holder;
    CChirp& ch = w.Chirp(n, holder);
    ch.Transform(w.Kernels(), inRe, inIm, 1, nullptr, nullptr);
    std::copy(ch.OutRe(), ch.OutRe() + n, outRe);
    std::copy(ch.OutIm(), ch.OutIm() + n, outIm);
}

void ReleaseFftWorkspace() {
    CWorkspace& w = Work();
    std::lock_guard<std::mutex> guard(w.lock);
    w.plan = CFftPlan{};
    w.buf.Release();
    w.loc.Release();
    for (CSplitBuffer& b : w.workerBuf) b.Release();
    for (CSplitBuffer& b : w.workerLoc) b.Release();
    std::vector<double>().swap(w.twRe);
    std::vector<double>().swap(w.twIm);
    std::vector<std::unique_ptr<CChirp>>().swap(w.chirps);
}

int SetFftVectorLimit(int level) {
    CWorkspace& w = Work();
    std::lock_guard<std::mutex> guard(w.lock);
    const int previous = w.vectorLimit;
    w.vectorLimit = level;
    return previous;
}

int FftVectorLevel() {
    CWorkspace& w = Work();
    std::lock_guard<std::mutex> guard(w.lock);
    return w.Level();
}

}  // namespace kv
