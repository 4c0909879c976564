#include "analysis/CFreqStats.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "data/CKalvoData.h"
#include "data/CNonFinite.h"
#include "platform/CFile.h"
#include "platform/CPlatform.h"
#include "platform/CWorkerPool.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

// The floor of the decibel conversions: 1e-30 held as a 32-bit float.
const double kTiny = static_cast<double>(1e-30f);

// num / den for non-negative powers, without dividing by zero: a zero
// denominator gives an infinite ratio, or 0 when the numerator is 0 too.
double Ratio(double num, double den) {
    if (den == 0.0) return num > 0.0 ? std::numeric_limits<double>::infinity() : 0.0;
    return num / den;
}

// The stored-index view of the Frequency Data: the working-range index i
// addresses stored index i, or n + i when negative.
struct Bins {
    const double* re;
    const double* im;
    int64_t n;
    double Power(int64_t i) const {
        const int64_t s = i < 0 ? i + n : i;
        return re[s] * re[s] + im[s] * im[s];
    }
};

Bins BinsOf(const CKalvoData& data) {
    return {data.Inphase().GetData(), data.Quadrature().GetData(), data.GetCount()};
}

// Spectra from this many bins rank on one thread while another sums.
constexpr int64_t kParallelFrom = int64_t{1} << 20;

// The stored bins the ranking scans, as up to two runs [first, last] in scan
// order: the negative indices (stored n + i), then 0 on. DC is left out of a
// range that starts exactly at 0.
struct RankingRuns {
    int64_t first[2];
    int64_t last[2];
    int count = 0;
};

RankingRuns RankingRunsOf(const CKalvoData& data, int64_t n) {
    RankingRuns runs;
    int64_t first = data.m_nStart;
    int64_t last = data.m_nStop;
    if (first == 0) first = 1;
    // Only indices that address a stored bin take part.
    first = std::max(first, -n);
    last = std::min(last, n - 1);
    if (first <= -1) {
        runs.first[runs.count] = first + n;
        runs.last[runs.count++] = std::min<int64_t>(last, -1) + n;
    }
    if (last >= 0) {
        runs.first[runs.count] = std::max<int64_t>(first, 0);
        runs.last[runs.count++] = last;
    }
    return runs;
}

// The strongest bin of a part of the ranking scan (the first of equal
// powers; NaN never wins), or -1.
struct Strongest {
    double power = 0.0;
    int64_t bin = -1;
};

Strongest StrongestOf(const Bins& bins, int64_t first, int64_t last) {
    Strongest best;
    double top = -1.0;
    int64_t at = -1;
    for (int64_t s = first; s <= last; ++s) {
        const double power = bins.re[s] * bins.re[s] + bins.im[s] * bins.im[s];
        if (power > top) {
            top = power;
            at = s;
        }
    }
    if (at >= 0) best = {top, at};
    return best;
}

}  // namespace

void CFreqStats::Bind(CKalvoData& freqData, std::string& listFile, int32_t listLength) {
    m_pFreqData = &freqData;
    m_pListFile = &listFile;
    SetListLength(listLength);
}

int32_t CFreqStats::ClampListLength(int32_t listLength) {
    return std::clamp(listLength, int32_t{1}, CRankedList::kMaxEntries);
}

double CFreqStats::RatioToDb(double ratio) { return 10.0 * std::log10(ratio > kTiny ? ratio : kTiny); }

double CFreqStats::PowerToDb(double power) const {
    return m_pFreqData ? m_pFreqData->ToDb(power, false) : RatioToDb(power);
}

void CFreqStats::RankBins() {
    CWaitCursor wait(LoadString(IDS_GATHERING_FREQ_STATS));
    m_List.Reset(m_nListLength);
    if (!m_pFreqData) return;
    const Bins bins = BinsOf(*m_pFreqData);
    const RankingRuns runs = RankingRunsOf(*m_pFreqData, bins.n);
    for (int r = 0; r < runs.count; ++r)
        m_List.InsertBins(bins.re, bins.im, static_cast<int32_t>(runs.first[r]), static_cast<int32_t>(runs.last[r]));
}

int64_t CFreqStats::StrongestRankedBin(bool shared) const {
    const Bins bins = BinsOf(*m_pFreqData);
    const RankingRuns runs = RankingRunsOf(*m_pFreqData, bins.n);
    // The runs in scan order, each cut in halves; the parts are merged in
    // scan order, a later part winning only with a strictly greater power.
    int64_t partFirst[4], partLast[4];
    int parts = 0;
    for (int r = 0; r < runs.count; ++r) {
        const int64_t mid = runs.first[r] + (runs.last[r] - runs.first[r] + 1) / 2;
        partFirst[parts] = runs.first[r];
        partLast[parts++] = mid - 1;
        partFirst[parts] = mid;
        partLast[parts++] = runs.last[r];
    }
    Strongest found[4];
    auto scan = [&](int half) {
        for (int k = half; k < parts; k += 2) found[k] = StrongestOf(bins, partFirst[k], partLast[k]);
    };
    if (shared && CWorkerPool::Instance().Threads() > 1) {
        CWorkerPool::Instance().Run(2, scan);
    } else {
        scan(0);
        scan(1);
    }
    Strongest best;
    for (int k = 0; k < parts; ++k)
        if (found[k].bin >= 0 && (best.bin < 0 || found[k].power > best.power)) best = found[k];
    return best.bin;
}

void CFreqStats::HarmonicBins(int32_t fundamentalBin, int32_t n) {
    m_HarmonicBins.clear();
    m_HarmonicBins.reserve(kHarmonicCount);
    m_HarmonicBins.push_back(fundamentalBin);
    for (int64_t k = 2; k <= kHarmonicCount; ++k) {
        int64_t c = 0;
        if (n > 0) {
            // Exact reduction modulo n, then folding into the first Nyquist zone.
            c = (k * fundamentalBin) % n;
            if (c < 0) c += n;
            if (c > n / 2) c = n - c;
        }
        m_HarmonicBins.push_back(static_cast<int32_t>(c));
    }
}

int32_t CFreqStats::HarmonicNumber(int32_t bin) const {
    const auto it = std::find(m_HarmonicBins.begin(), m_HarmonicBins.end(), bin);
    return it == m_HarmonicBins.end() ? 0 : static_cast<int32_t>(it - m_HarmonicBins.begin()) + 1;
}

std::vector<int64_t> CFreqStats::SpecialIndices(int64_t first, int64_t last, int64_t fundamental, int64_t n) const {
    // The indices that need a look-up: the harmonic bins (matched by signed
    // index) and the fundamental (matched by stored index, so that a
    // fundamental at a negative frequency counts as the fundamental). Every
    // other index is noise; the sums run in index order all the same.
    std::vector<int64_t> special;
    special.reserve(kHarmonicCount + 2);
    auto addSpecial = [&](int64_t i) {
        if (i >= first && i <= last) special.push_back(i);
    };
    for (int32_t c : m_HarmonicBins) addSpecial(c);
    if (fundamental >= 0) {
        addSpecial(fundamental);
        addSpecial(fundamental - n);
    }
    std::sort(special.begin(), special.end());
    special.erase(std::unique(special.begin(), special.end()), special.end());
    return special;
}

CFreqStats::PowerSums CFreqStats::SumPowers(int64_t first, int64_t last, int64_t fundamental,
                                            const std::vector<int64_t>& special) const {
    const Bins bins = BinsOf(*m_pFreqData);
    const int64_t n = bins.n;
    double total = 0.0;
    double fund = 0.0;
    double distortion = 0.0;
    double noise = 0.0;
    // Indices a ... b - 1, none of them special: all noise. The sums run in
    // locals so that they stay in registers.
    auto sumNoise = [&](int64_t a, int64_t b) {
        double t = total;
        double z = noise;
        for (int64_t i = a; i < std::min<int64_t>(b, 0); ++i) {
            const int64_t s = i + n;
            const double p = bins.re[s] * bins.re[s] + bins.im[s] * bins.im[s];
            t += p;
            z += p;
        }
        for (int64_t s = std::max<int64_t>(a, 0); s < b; ++s) {
            const double p = bins.re[s] * bins.re[s] + bins.im[s] * bins.im[s];
            t += p;
            z += p;
        }
        total = t;
        noise = z;
    };
    int64_t next = first;
    for (int64_t i : special) {
        sumNoise(next, i);
        const double p = bins.Power(i);
        total += p;
        const int64_t stored = i < 0 ? i + n : i;
        const int32_t h = stored == fundamental ? 1 : HarmonicNumber(static_cast<int32_t>(i));
        if (h == 0)
            noise += p;
        else if (h == 1)
            fund = p;
        else
            distortion += p;
        next = i + 1;
    }
    sumNoise(next, last + 1);
    return {total, fund, distortion, noise};
}

FreqStatResults CFreqStats::ComputeFrequencyStatistics() {
    FreqStatResults r;
    m_HarmonicBins.clear();
    if (!m_pFreqData) {
        RankBins();
        return r;
    }
    const CKalvoData& data = *m_pFreqData;
    const Bins bins = BinsOf(data);
    const int64_t n = bins.n;

    int64_t first = data.m_nStart;
    int64_t last = data.m_nStop;
    if (data.IsReal() && last > n / 2) last = n / 2 - 1;
    first = std::max(first, -n);
    last = std::min(last, n - 1);

    // The fundamental is the stored bin of the strongest entry: the first
    // bin of greatest power in the ranking's scan. On a long spectrum it is
    // found first (both threads taking half the scan), so that the power
    // sums, which need only it and its harmonics, run on the second thread
    // while the first one ranks.
    PowerSums sums;
    int64_t expected = -2;
    if (n >= kParallelFrom && CWorkerPool::Instance().Threads() > 1) {
        expected = StrongestRankedBin(true);
        if (expected >= 0) HarmonicBins(static_cast<int32_t>(expected), static_cast<int32_t>(n));
        const std::vector<int64_t> special = SpecialIndices(first, last, expected, n);
        CWorkerPool::Instance().Run(2, [&](int t) {
            if (t == 0)
                RankBins();
            else
                sums = SumPowers(first, last, expected, special);
        });
    } else {
        RankBins();
    }
    const int64_t fundamental = m_List.GetCount() > 0 ? m_List[0].m_nBin : -1;
    if (fundamental != expected) {
        m_HarmonicBins.clear();
        if (fundamental >= 0) HarmonicBins(static_cast<int32_t>(fundamental), static_cast<int32_t>(n));
        sums = SumPowers(first, last, fundamental, SpecialIndices(first, last, fundamental, n));
    }
    if (fundamental >= 0) r.m_dFundamentalFrequency = data.IndexToValue(static_cast<int32_t>(fundamental));
    const double dc = n > 0 ? bins.Power(0) : 0.0;
    const double total = sums.total;
    const double fund = sums.fund;
    const double distortion = sums.distortion;
    const double noise = sums.noise;

    r.m_dFundamentalPower = PowerToDb(fund);
    r.m_dDcPower = PowerToDb(dc);
    r.m_dDistortionPower = PowerToDb(distortion);
    r.m_dNoisePower = PowerToDb(noise);
    r.m_dTotalPower = PowerToDb(total);
    const double peak = m_List.GetCount() > 0 ? m_List[0].m_dPower : 0.0;
    r.m_dSfdr = RatioToDb(Ratio(peak, m_List.SecondPower()));
    r.m_dSinad = RatioToDb(Ratio(fund, distortion + noise));
    r.m_dSnr = RatioToDb(Ratio(fund + distortion, noise));
    // Powers are not negative: the total is finite exactly when every one is.
    r.m_bFinite = std::isfinite(total) && std::isfinite(dc);
    return r;
}

std::string CFreqStats::NonFiniteMessage() const {
    if (!m_pFreqData) return {};
    return CNonFinite::OfRange(*m_pFreqData).Message();
}

bool CFreqStats::WriteFrequencyList(CFile& sink) {
    if (!m_pFreqData || m_pFreqData->IsEmpty()) return false;
    // The ranked list is emptied afterwards, also when the sink fails.
    struct ClearList {
        CRankedList& list;
        ~ClearList() { list.Clear(); }
    } clearList{m_List};

    const FreqStatResults r = ComputeFrequencyStatistics();
    if (!r.m_bFinite) return false;
    const CKalvoData& data = *m_pFreqData;
    const std::string crlf = "\r\n";
    std::string text;
    text.reserve(512 + static_cast<size_t>(m_List.GetCount()) * 96);
    text += FormatPrintf(IDS_FREQLIST_FUNDAMENTAL, r.m_dFundamentalFrequency, data.m_Fs.GetFreqUnitName().c_str());
    text += crlf;
    text += FormatPrintf(IDS_FREQLIST_SFDR, r.m_dSfdr) + crlf;
    text += FormatPrintf(IDS_FREQLIST_SINAD, r.m_dSinad) + crlf;
    text += FormatPrintf(IDS_FREQLIST_SNR, r.m_dSnr) + crlf;
    text += crlf;
    text += LoadString(IDS_FREQLIST_HEADER) + crlf;
    text += LoadString(IDS_FREQLIST_RULE) + crlf;
    const int32_t count = m_List.GetCount();
    const double peakDb = count > 0 ? PowerToDb(m_List[0].m_dPower) : 0.0;
    // A row is its six columns' formats in one, formatted at once.
    const std::string row = LoadString(IDS_FREQLIST_ENTRY_FREQUENCY) + LoadString(IDS_FREQLIST_ENTRY_BIN) +
                            LoadString(IDS_FREQLIST_ENTRY_HARMONIC) + LoadString(IDS_FREQLIST_ENTRY_DB) +
                            LoadString(IDS_FREQLIST_ENTRY_DB) + LoadString(IDS_FREQLIST_ENTRY_SMALLER) + crlf;
    for (int32_t i = 0; i < count; ++i) {
        const CRankedList::Entry& e = m_List[i];
        const double db = PowerToDb(e.m_dPower);
        text += StringPrintf(row.c_str(), data.IndexToValue(e.m_nBin), static_cast<int>(e.m_nBin),
                             static_cast<int>(HarmonicNumber(e.m_nBin)), db, peakDb - db,
                             PowerToDb(m_List.SmallerPower(i)));
    }
    sink.Write(text.data(), text.size());
    return true;
}

}  // namespace kv
