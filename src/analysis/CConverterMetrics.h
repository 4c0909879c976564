#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

class CKalvoData;
class CWindowProfile;

// The options of the converter metrics.
struct ConverterOptions {
    static constexpr int32_t kMaxHarmonics = 50;
    static constexpr int32_t kMaxSpanBins = 1000;

    double m_dFullScale = 1.0;  // amplitude of a full-scale sine, in the data's units
    int32_t m_nHarmonics = 6;   // highest harmonic order taken (1: none)
    int32_t m_nSpanBins = 0;    // bins each side of a tone; 0: from the window's main lobe
};

// One harmonic of the fundamental.
struct ConverterHarmonic {
    int32_t m_nOrder = 0;
    double m_dFrequency = 0.0;  // where it lies after aliasing, in the data's frequency unit
    // Its power relative to the signal; NaN when it cannot be told from the
    // noise (its span holds no more than the noise) or from another
    // component (it falls on the fundamental, on DC or on a lower harmonic,
    // or outside the working range).
    double m_dDbc = 0.0;
    bool m_bSeparate = true;  // false when it falls on another component or outside the range
};

// The results; every ratio in dB. Values that do not exist (an SNR without
// noise) are infinite.
struct ConverterResults {
    // Why there are no results: the data has nothing to measure, or the
    // options leave too few bins for the noise.
    enum Problem { kNone, kNoData, kNotFinite, kNoTone, kTooNarrow };

    bool m_bValid = false;
    Problem m_nProblem = kNone;
    std::string m_strError;  // why there are no results

    double m_dFundamentalFrequency = 0.0;  // in the data's frequency unit
    double m_dFundamentalBin = 0.0;        // the tone's position, in bins
    double m_dSignalDbfs = 0.0;
    double m_dSnr = 0.0;
    double m_dSinad = 0.0;
    double m_dThd = 0.0;  // dBc
    double m_dSfdr = 0.0;
    double m_dSfdrFrequency = 0.0;
    double m_dEnob = 0.0;
    double m_dNoiseFloorDbfs = 0.0;  // mean noise per bin
    double m_dNsdDbfsPerHz = 0.0;    // noise spectral density
    int32_t m_nSpanBins = 0;
    bool m_bSpanFromWindow = true;
    double m_dMainLobeHalfWidth = 0.0;
    int32_t m_nWindowType = -1;  // the window that made the spectrum, -1 none
    bool m_bTwoSided = false;    // a complex (two-sided) spectrum
    int32_t m_nBins = 0;         // bins analysed (the working range)
    double m_dFullScale = 1.0;
    std::string m_strFrequencyUnit;
    std::vector<ConverterHarmonic> m_Harmonics;
    // The window's own leakage outside the spans exceeds the noise found:
    // the window, not the converter, limits what can be measured.
    bool m_bWindowLimited = false;
};

// Converter and receiver metrics of a spectrum as converter-test practice
// takes them: the fundamental and its harmonics each with the span of bins
// of the window's main lobe, DC masked, the noise from every other bin with
// the masked bins' share estimated from the mean noise per bin, and the
// window's leakage of the fundamental outside its span taken out of the
// noise. Beside the program's frequency statistics, which take the
// fundamental as a single bin; those stay as they are.
class CConverterMetrics {
public:
    // The metrics of the working range of the Frequency Data. A range from
    // 0 up is the one-sided spectrum of a real signal (harmonics fold into
    // the first Nyquist zone); a range from below 0 is the two-sided
    // spectrum of a complex signal (harmonics alias to their own signed
    // multiples). window: the profile of the window applied before the
    // transform, over the data's number of points; binScale: the factor the
    // transform applied (1/N when it divided by N, else 1).
    static ConverterResults Compute(const CKalvoData& freq, const CWindowProfile& window, double binScale,
                                    const ConverterOptions& options);

    // The results as text lines ending in LF: the block the command line
    // prints and the dialog copies.
    static std::string FormatText(const ConverterResults& results);
    // The labelled values of the text, in its order (empty without results).
    struct Line {
        std::string label;
        std::string value;
    };
    static std::vector<Line> ResultLines(const ConverterResults& results);
    // One harmonic: order, frequency with unit, level (or why there is none).
    static std::string HarmonicText(const ConverterHarmonic& harmonic, const std::string& unit);
    // The name of a window type (-1: "none").
    static std::string WindowName(int32_t type);
};

}  // namespace kv
