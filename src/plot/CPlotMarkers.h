#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace kv {

// The markers of a plot: up to four, each sitting on one sample of one trace
// of the plotted data (it reads that sample's X and Y, whatever the zoom),
// one of them the active marker that commands move, and optionally one the
// reference that the others are measured against. Markers are view state:
// nothing of them is stored with the data. Peak searches run over a range of
// samples of a trace given as a function of the sample index.
class CPlotMarkers {
public:
    static constexpr int kMaxMarkers = 4;

    struct CMarker {
        int32_t m_nSample = 0;  // working index of the sample
        int m_nTrace = 0;       // 0 the first trace, 1 the second
    };
    // The value of a trace at a sample index (not finite: a gap, never a peak).
    using TraceValue = std::function<double(int32_t sample, int trace)>;
    // The X value of a sample index.
    using SampleX = std::function<double(int32_t sample)>;

    // One line of the marker table: the marker's readout and, for a marker
    // that is not the reference while there is one, its differences from it
    // (1/dX, a frequency from a time difference, is not finite for dX = 0).
    struct CRow {
        int m_nNumber = 0;  // 1 ... 4, as the marker is labelled
        int32_t m_nSample = 0;
        int m_nTrace = 0;
        double m_dX = 0.0;
        double m_dY = 0.0;
        bool m_bActive = false;
        bool m_bReference = false;
        bool m_bDelta = false;
        double m_dDeltaX = 0.0;
        double m_dDeltaY = 0.0;
        double m_dInverseDeltaX = 0.0;
    };

    int Count() const { return static_cast<int>(m_Markers.size()); }
    bool IsEmpty() const { return m_Markers.empty(); }
    const CMarker& At(int n) const { return m_Markers[static_cast<size_t>(n)]; }
    // The active marker, or -1 when there are none.
    int Active() const { return m_nActive; }
    // The reference marker, or -1.
    int Reference() const { return m_nReference; }

    // Places a new marker on a sample and makes it active; with four
    // markers placed the active one moves there instead. Returns the
    // marker's number (0 based).
    int Place(int32_t sample, int trace);
    // Moves the active marker (placing one when there is none).
    void MoveActive(int32_t sample, int trace);
    void Remove(int n);
    void Clear();
    void SetActive(int n);
    // Makes a marker the reference; making the reference the reference
    // again clears it.
    void ToggleReference(int n);
    // Makes the next marker active (after the last, the first).
    void ActivateNext();
    // Keeps the markers whose sample lies in first ... last (the indices
    // the data holds); a marker on a trace at or above traceCount moves to
    // the last trace.
    void KeepWithin(int32_t first, int32_t last, int traceCount);

    // The table of all markers in order.
    std::vector<CRow> Rows(const SampleX& x, const TraceValue& y) const;

    // ---- peak search over samples first ... last of a trace ---------------------
    // The sample with the largest finite value (the first of equal ones).
    static std::optional<int32_t> HighestPeak(const TraceValue& y, int trace, int32_t first, int32_t last);
    // The nearest peak beyond a sample to the left (direction < 0) or right:
    // a sample (or a run of equal samples, by its first) higher than both
    // neighbours; an end of the range is a peak when it is above its one
    // neighbour. Non-finite samples part the trace like a lower neighbour.
    static std::optional<int32_t> NextPeak(const TraceValue& y, int trace, int32_t first, int32_t last,
                                           int32_t from, int direction);
    // The highest peak lower than the value at a sample (peaks as for NextPeak).
    static std::optional<int32_t> NextLowerPeak(const TraceValue& y, int trace, int32_t first, int32_t last,
                                                int32_t from);

private:
    std::vector<CMarker> m_Markers;
    int m_nActive = -1;
    int m_nReference = -1;
};

}  // namespace kv
