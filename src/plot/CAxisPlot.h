#pragma once
#include <cstdint>
#include <string>

#include "plot/CAxisScale.h"
#include "plot/CPlot.h"

namespace kv {

class CTitles;

// A plot with two axis settings records (X and Y) that scale the drawing
// values, the axis dialogs and the Titles command.
class CAxisPlot : public CPlot {
public:
    CAxisPlot();

    void ApplyAxes() override;
    void ApplyXAxis();
    void ApplyYAxis();
    // Called whenever the range of the data about to be drawn is known.
    void SetDataRanges(double xMin, double xMax, double yMin, double yMax);
    // Runs the axis dialog on a record; returns true on OK.
    bool EditAxis(const std::string& axisName, CAxisScale& record, bool xAxis);
    void OnTitles();

    bool DoCommand(int id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;

    CAxisScale m_XAxis;
    CAxisScale m_YAxis;
    int32_t m_bResetScaling = 0;
    int32_t m_bResetXScaling = 0;
    int32_t m_bResetYScaling = 0;
    CTitles* m_pTitles = nullptr;
    int32_t m_bAutoTitles = 1;

protected:
    bool FitDrawnRange() override;
};

}  // namespace kv
