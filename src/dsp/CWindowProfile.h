#pragma once
#include <complex>
#include <cstdint>
#include <memory>
#include <vector>

namespace kv {

// What a window does to the spectrum of a tone, computed from the window's
// own weights rather than from a table per type: its coherent and power
// gains, its equivalent noise bandwidth, the half width of its main lobe
// (centre to first null, in bins) and the span of bins each side of a
// tone's centre bin that holds that lobe.
//
// The weights are those the window command applies over the transform
// length n. Windows longer than kModelLength points are evaluated at
// kModelLength points (the main lobe at kLobeLength): their shape in bins no
// longer changes with the length, so neither do these figures.
class CWindowProfile {
public:
    static constexpr int32_t kNoWindow = -1;
    static constexpr int32_t kModelLength = 65536;
    static constexpr int32_t kLobeLength = 4096;

    // type: a window marker (-1 none, 1 ... 7; any other number acts as
    // type 3, as the window command treats it); parameter: the window's
    // gamma or alpha; n: the number of points of the transform (at least 1).
    CWindowProfile(int32_t type, double parameter, int32_t n);

    // The window a marker stands for: kNoWindow, or a type 1 ... 7.
    static int32_t EffectiveType(int32_t marker);

    // The profile for these arguments: the last one computed when they
    // match, else a new one that replaces it.
    static std::shared_ptr<const CWindowProfile> Cached(int32_t type, double parameter, int32_t n);

    int32_t GetType() const { return m_nType; }
    double GetParameter() const { return m_dParameter; }
    int32_t GetLength() const { return m_nLength; }
    // The weights over min(n, kModelLength) points.
    const std::vector<double>& ModelWeights() const { return m_weights; }
    int32_t GetModelLength() const { return static_cast<int32_t>(m_weights.size()); }

    // Sum of the weights / points: the gain of a tone at a bin centre.
    double CoherentGain() const { return m_dCoherentGain; }
    // Sum of the squared weights / points: the gain of noise power.
    double PowerGain() const { return m_dPowerGain; }
    // Equivalent noise bandwidth in bins: PowerGain / CoherentGain^2.
    double NoiseBandwidth() const;
    // Bins from the centre of the main lobe to its first null.
    double MainLobeHalfWidth() const { return m_dHalfWidth; }
    // The bins each side of the bin nearest a tone that hold its main lobe:
    // a tone lies within half a bin of that bin, so the first bin beyond the
    // span is at least half width away from it. At least 1.
    int32_t SpanBins() const;

    // Whether the sidelobes keep their level far from the main lobe (as the
    // Dolph-Chebyshev window's do) instead of falling off: the mean sidelobe
    // power an eighth of the spectrum away is less than twice the mean a
    // quarter away.
    bool FlatSidelobes() const { return m_bFlatSidelobes; }

    // The spectrum of the model weights at f bins of the model length:
    // sum of w[i] exp(-j 2 pi f i / L).
    std::complex<double> Spectrum(double f) const;
    // The power of the main lobe's shape f bins from its centre, relative
    // to the centre (from the window over at most kLobeLength points).
    double LobePower(double f) const;

private:
    // The main lobe's half width from the window over at most kLobeLength
    // points: the first zero of its (real) centred spectrum, or the first
    // minimum of its magnitude.
    static double FindHalfWidth(const std::vector<double>& w);
    // Mean sidelobe power an eighth / a quarter of the spectrum away, over
    // eight bins sampled at eighths of a bin (whatever the ripple's phase).
    static bool HasFlatSidelobes(const std::vector<double>& w);

    int32_t m_nType = kNoWindow;
    double m_dParameter = 0.0;
    int32_t m_nLength = 0;
    std::vector<double> m_weights;
    std::vector<double> m_lobe;  // the weights over at most kLobeLength points
    double m_dLobeSum = 1.0;
    double m_dCoherentGain = 1.0;
    double m_dPowerGain = 1.0;
    double m_dHalfWidth = 1.0;
    bool m_bFlatSidelobes = false;
};

}  // namespace kv
