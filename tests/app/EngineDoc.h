#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/CModDoc.h"

namespace kv::test {

// A project whose file reads are supplied by the test and whose steps from
// other subsystems record that they ran.
class EngineDoc : public CModDoc {
public:
    std::vector<std::string> trace;
    std::function<bool(CKalvoData&)> reader;  // fills the data; false for a failed read
    bool resetRanges = false;
    double rateHz = 0.0;  // the rate the file read states

    using CKalvoraDoc::ReadTimeData;

protected:
    bool ReadDataFiles(bool time) override {
        trace.push_back(time ? "read time" : "read freq");
        if (!reader) return false;
        CKalvoData& data = time ? m_TimeData : m_FreqData;
        data.Reset();
        return reader(data);
    }
    bool TimeFilesResetRanges() const override { return resetRanges; }
    double FileSampleRateHz(bool) const override { return rateHz; }
    void WindowTimeData() override { trace.push_back("window"); }
    void FilterTimeData() override { trace.push_back("filter"); }
    void TransformToFrequency() override { trace.push_back("to freq"); }
    void TransformToTime() override { trace.push_back("to time"); }
    void ShowFrequencyStatistics() override { trace.push_back("stats"); }
    void ShowFrequencyList() override { trace.push_back("list"); }
    void WriteFrequencyListFile() override { trace.push_back("write list"); }
};

// A reader that gives n real points 1, 2, 3, ...
inline std::function<bool(CKalvoData&)> RampReader(int n) {
    return [n](CKalvoData& data) {
        for (int i = 0; i < n; ++i) {
            data.Inphase().Append(i + 1.0);
            data.Quadrature().Append(0.0);
        }
        data.ResetRange();
        return true;
    };
}

}  // namespace kv::test
