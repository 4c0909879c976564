#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/CRankedList.h"
#include "platform/CObject.h"

namespace kv {

class CFile;
class CKalvoData;

// The results of one frequency-statistics computation.
struct FreqStatResults {
    double m_dFundamentalFrequency = 0.0;  // in the Frequency Data's frequency unit
    double m_dFundamentalPower = 0.0;      // dB (with the Frequency Data's decibel offset)
    double m_dDcPower = 0.0;               // dB
    double m_dDistortionPower = 0.0;       // dB
    double m_dNoisePower = 0.0;            // dB
    double m_dTotalPower = 0.0;            // dB
    double m_dSfdr = 0.0;                  // dB
    double m_dSinad = 0.0;                 // dB
    double m_dSnr = 0.0;                   // dB
    // False when a power of the working range or of DC is not finite (the
    // data holds NaN or infinite values, or squares beyond the range of
    // doubles): the values above are then meaningless and not to be shown.
    bool m_bFinite = true;
};

// The frequency-statistics engine of a project: finds the fundamental (the
// strongest bin of the Frequency Data's working range) and its harmonics,
// splits the power of the range into fundamental, distortion and noise, and
// keeps the ranking of the strongest bins that becomes the frequency list.
// It travels as the object of the "frequency list changed" update hint.
class CFreqStats : public CObject {
public:
    static constexpr int32_t kDefaultListLength = 50;
    static constexpr int32_t kHarmonicCount = 20;

    CFreqStats() = default;
    CFreqStats(CKalvoData& freqData, std::string& listFile, int32_t listLength = kDefaultListLength) {
        Bind(freqData, listFile, listLength);
    }

    // Sets the Frequency Data, the project's list-file name and the list length.
    void Bind(CKalvoData& freqData, std::string& listFile, int32_t listLength);
    // The length of the ranked list, clamped to 1 ... 100 (the room of the list).
    void SetListLength(int32_t listLength) { m_nListLength = ClampListLength(listLength); }
    int32_t GetListLength() const { return m_nListLength; }
    static int32_t ClampListLength(int32_t listLength);

    CKalvoData* GetFreqData() const { return m_pFreqData; }
    // The project's list-file name (set by the list-file command); null
    // while unbound.
    std::string* GetListFileName() const { return m_pListFile; }

    // Fills the ranked list from the working range; DC is left out of a range
    // that starts exactly at 0. Shows a progress text with the wait cursor.
    void RankBins();
    // Entry 1 is the fundamental bin p itself; entries 2 ... 20 are its
    // harmonics k * p reduced modulo n and folded into 0 ... n / 2.
    void HarmonicBins(int32_t fundamentalBin, int32_t n);
    // The 1-based position of the first harmonic bin equal to bin (1 is the
    // fundamental), or 0.
    int32_t HarmonicNumber(int32_t bin) const;
    // Ranks the bins and sums the powers of the working range.
    FreqStatResults ComputeFrequencyStatistics();
    // Writes the statistics and the ranked list as text lines ending in CR LF,
    // then empties the ranked list. Returns false, writing nothing, when the
    // Frequency Data is empty (or not bound) or its statistics are not
    // finite (NonFiniteMessage says why). Write errors of the sink
    // propagate as its exceptions.
    bool WriteFrequencyList(CFile& sink);

    // Why the statistics of the Frequency Data are not finite: how many of
    // its values are not finite and where the first one is.
    std::string NonFiniteMessage() const;

    const CRankedList& RankedList() const { return m_List; }
    const std::vector<int32_t>& GetHarmonicBins() const { return m_HarmonicBins; }

    // Power to dB with the Frequency Data's decibel offset, not floored at the
    // minimum dB; ratio to dB. Both take 1e-30 (as a 32-bit float) for smaller
    // values, NaN included.
    double PowerToDb(double power) const;
    static double RatioToDb(double ratio);

private:
    struct PowerSums {
        double total = 0.0;
        double fund = 0.0;
        double distortion = 0.0;
        double noise = 0.0;
    };
    // The stored bin that will head the ranked list (-1 when none will),
    // found without ranking; shared asks for two threads.
    int64_t StrongestRankedBin(bool shared) const;
    // The indices of first ... last that are the fundamental or one of the
    // harmonic bins, ascending.
    std::vector<int64_t> SpecialIndices(int64_t first, int64_t last, int64_t fundamental, int64_t n) const;
    // The power sums over indices first ... last in index order.
    PowerSums SumPowers(int64_t first, int64_t last, int64_t fundamental, const std::vector<int64_t>& special) const;

    CKalvoData* m_pFreqData = nullptr;
    std::string* m_pListFile = nullptr;
    int32_t m_nListLength = kDefaultListLength;
    CRankedList m_List;
    std::vector<int32_t> m_HarmonicBins;
};

}  // namespace kv
