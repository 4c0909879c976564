#pragma once
#include <vector>

namespace kv {

class CLabelArray;

// The automatic choice of axis ends and spacings for a data range.
struct CAutoScale {
    double m_dAxisMin = 0.0;
    double m_dAxisMax = 0.0;
    double m_dTicSpacing = 0.0;    // decades on a log axis
    double m_dLabelSpacing = 0.0;  // decades on a log axis
};

// Axis ends at simple multiples (1, 2, 2.5, 4, 5, 10 times a power of ten)
// around the data, ten or nine steps wide, trimmed at the top; a log axis
// runs between whole decades.
CAutoScale AutoScale(double dataMin, double dataMax, bool log);

// Number of label steps between lo and hi (2 when none fit, 0 for no step).
// On a log axis the step is the factor between labels.
int CountLabels(bool log, double lo, double hi, double step);

// Fills the labels of one axis for the drawing values lo ... hi. The label
// spacing and the power of ten are corrected in place (too many labels,
// powers -3 to -1 shown unscaled). The multiplier scales the texts.
void MakeLabels(int maxDigits, CLabelArray& labels, double& labelSpacing, int& power, bool log, double lo, double hi,
                double multiplier);

// Whether grid lines are drawn for a grid option, and their spacing.
bool GridSpacing(bool log, double labelSpacing, double ticSpacing, int gridOption, double& spacing);

// The values at which tic marks or grid lines stand.
std::vector<double> AxisValues(bool log, double from, double to, double spacing);

}  // namespace kv
