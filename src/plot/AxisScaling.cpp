#include "plot/AxisScaling.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "formats/FormatHelpers.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"
#include "plot/CLabelArray.h"

namespace kv {

namespace {

// Upper bound on the values an axis walk yields, so that a spacing that is
// tiny against the axis ends can never hang the program.
constexpr int kMaxAxisValues = 100000;

void PlainMessage(StringId id) { Platform().Messages().ShowMessage(LoadString(id), MsgIcon::None, MsgButtons::Ok); }

// The linear attempt with m intervals; returns whether the data fits.
bool TryLinear(double a, double b, int m, double& axisMin, double& axisMax, double& step) {
    double raw = (b - a) / m;
    double p = std::floor(std::log10(raw));
    double base = std::pow(10.0, p);
    double c = raw / base;
    double d;
    if (c == 1.0)
        d = 1.0;
    else if (c <= 1.00001)
        d = 1.0;
    else if (c <= 2.0)
        d = 2.0;
    else if (c <= 2.5)
        d = 2.5;
    else if (c <= 4.0)
        d = 4.0;
    else if (c <= 5.0)
        d = 5.0;
    else
        d = 10.0;
    step = base * d;
    if (a == 0.0) {
        axisMin = 0.0;
    } else {
        double n = std::trunc(a / step + 0.001);
        axisMin = n * step;
        if (a < axisMin) axisMin -= step;
    }
    axisMax = axisMin + m * step;
    return a + 0.01 * step >= axisMin && axisMax >= b - 0.01 * step;
}

}  // namespace

CAutoScale AutoScale(double dataMin, double dataMax, bool log) {
    double a = dataMin;
    double b = dataMax;
    // Values that are not finite, or a span that is not, cannot be scaled:
    // such data gets the scale of no data.
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(b - a)) a = b = 0.0;
    if (b < a) std::swap(a, b);
    if (std::fabs(b) < 1e-100 && std::fabs(a) < 1e-100) {
        a = -0.5;
        b = 0.5;
    } else if ((b - a) / std::max(std::fabs(a), std::fabs(b)) < 1e-6) {
        // Almost constant data is anchored at zero.
        if (b > 0)
            a = 0.0;
        else
            b = 0.0;
    }

    CAutoScale s;
    if (log) {
        if (b <= 0) b = 1.0;
        s.m_dAxisMax = PowerOfTenFloor(b);
        // The decade above data near the largest double does not exist.
        if (s.m_dAxisMax * 1.001 < b && std::isfinite(s.m_dAxisMax * 10.0)) s.m_dAxisMax *= 10.0;
        if (a > 0)
            s.m_dAxisMin = std::min(PowerOfTenFloor(a), s.m_dAxisMax * 0.1);
        else
            s.m_dAxisMin = s.m_dAxisMax * 0.001;
        s.m_dLabelSpacing = 1.0;
        s.m_dTicSpacing = 0.1;
        return s;
    }

    double axisMin, axisMax, step;
    if (!TryLinear(a, b, 10, axisMin, axisMax, step)) TryLinear(a, b, 9, axisMin, axisMax, step);
    // Data near the largest double can ask for an end at a multiple of the
    // step beyond it: such an end stays at the data's own end.
    if (!std::isfinite(axisMin)) axisMin = a;
    if (!std::isfinite(axisMax)) axisMax = b;
    // Trim the top to the first step at or above the data (at most the steps
    // the axis has; each trim lowers a finite end).
    for (int m = 0; m < 10 && b <= axisMax - step && axisMax - step < axisMax; ++m) axisMax -= step;
    s.m_dAxisMin = axisMin;
    s.m_dAxisMax = axisMax;
    s.m_dTicSpacing = step;
    s.m_dLabelSpacing = step;
    return s;
}

int CountLabels(bool log, double lo, double hi, double step) {
    if (step == 0.0) return 0;
    if (log) {
        lo = std::log(lo);
        hi = std::log(hi);
        step = std::log(step);
    }
    double n = std::trunc((hi - lo) / step + 0.001);
    if (std::isnan(n)) return 0;
    if (n > INT_MAX) return INT_MAX;
    return n > 0 ? static_cast<int>(n) : 2;
}

void MakeLabels(int maxDigits, CLabelArray& labels, double& labelSpacing, int& power, bool log, double lo, double hi,
                double multiplier) {
    labels.RemoveAll();
    if (!(labelSpacing > 0) || hi < lo) return;
    if (maxDigits < 0) maxDigits = 0;

    double step = labelSpacing;
    if (log) {
        step = std::pow(10.0, labelSpacing);
        if (hi <= 0) hi = 1.0;
        if (lo <= 0) lo = hi / 1000.0;
    }
    int count = CountLabels(log, lo, hi, step);
    if (count == 0 || count > 100) {
        PlainMessage(IDS_PLOT_TOO_MANY_LABELS);
        labelSpacing = (hi - lo) / 10.0;
        step = labelSpacing;
        if (log) step = std::pow(10.0, labelSpacing);
        if (!(step > 0) || !std::isfinite(step) || (log && step <= 1.0)) return;
    }

    // Room for every label at once: the labels of a new plot grew their
    // array one doubling at a time, moving every label each time.
    labels.Reserve(count > 0 && count <= 100 ? count + 2 : 12);
    std::string pattern = "%0." + std::to_string(std::min(maxDigits, 9)) + "f";
    int firstExponent = 0;
    if (log) {
        double l = std::log10(lo);
        l = l >= 0 ? l + 0.0001 : l - 0.0001;
        firstExponent = static_cast<int>(std::trunc(l));
    }

    double k;
    if (power >= -3 && power <= -1) {
        power = 0;
        k = multiplier;
    } else {
        k = multiplier * std::pow(10.0, -power);
    }

    // The walk compares with a little slack so that an end reached by
    // repeated addition is not lost to rounding.
    const double limit = log ? hi * (1.0 + 1e-9) : hi + 1e-7 * labelSpacing;
    bool zeroDone = false;
    int position = 0;
    for (double v = lo; v <= limit && position < kMaxAxisValues; ++position) {
        std::string text;
        if (!log) {
            if (!zeroDone && std::fabs(v) < 0.001 * labelSpacing) {
                v = 0.0;
                zeroDone = true;
            }
            text = FormatReal(pattern.c_str(), v * k);
        } else {
            int exponent = static_cast<int>(firstExponent + labelSpacing * position);
            text = StringPrintf("1.0E%+d", exponent);
        }
        labels.Add(std::move(text), v);
        double next = log ? v * step : v + labelSpacing;
        if (next == v) break;
        v = next;
    }

    if (!log && !labels.IsEmpty()) {
        // Drop the trailing zeros that every label can spare.
        size_t cut = SIZE_MAX;
        for (int i = 0; i < labels.GetSize(); ++i) {
            const std::string& text = labels[i].m_strText;
            size_t removable = 0;
            size_t point = text.find('.');
            if (point != std::string::npos) {
                size_t end = text.size();
                while (end > point + 1 && text[end - 1] == '0') --end;
                removable = text.size() - end;
                if (end == point + 1) ++removable;  // the point itself
            }
            cut = std::min(cut, removable);
        }
        if (cut > 0 && cut != SIZE_MAX)
            for (int i = 0; i < labels.GetSize(); ++i) {
                std::string& text = labels[i].m_strText;
                text.resize(text.size() - cut);
            }
    }
}

bool GridSpacing(bool log, double labelSpacing, double ticSpacing, int gridOption, double& spacing) {
    switch (gridOption) {
        case 1:
            if (!(ticSpacing > 0)) break;
            if (!log && labelSpacing / ticSpacing > 10.001) {
                PlainMessage(IDS_PLOT_GRID_TOO_MANY_TICS);
                spacing = labelSpacing * 0.5;
            } else {
                spacing = ticSpacing;
            }
            return true;
        case 2: spacing = labelSpacing; return true;
        default: break;
    }
    spacing = 0.0;
    return false;
}

std::vector<double> AxisValues(bool log, double from, double to, double spacing) {
    std::vector<double> values;
    if (!(spacing > 0) || !std::isfinite(from) || !std::isfinite(to)) return values;
    if (!log) {
        const double limit = to + 1e-7 * spacing;
        // Room for the values of an axis at once (a span beyond the
        // doubles gives infinity: the values grow beyond the room then).
        const double count = (to - from) / spacing + 2.0;
        values.reserve(count >= 0.0 && count < 1024.0 ? static_cast<size_t>(count) : 1024);
        for (double v = from; v <= limit && static_cast<int>(values.size()) < kMaxAxisValues; v += spacing) {
            values.push_back(v);
            if (v + spacing == v) break;
        }
        return values;
    }
    if (!(from > 0) || !(to > 0)) return values;
    values.reserve(32);
    const double f1 = static_cast<double>(1.0001f);
    from = PowerOfTenFloor(from * f1);
    to = PowerOfTenFloor(to * f1);
    const double limit = to * (1.0 + 1e-9);
    if (spacing >= 1.0) {
        double factor = std::pow(10.0, std::floor(spacing + 0.001));
        for (double v = from; v <= limit && static_cast<int>(values.size()) < kMaxAxisValues; v *= factor)
            values.push_back(v);
        return values;
    }
    double decade = from;
    double step = spacing * 10.0 * decade;
    for (double v = from; v <= limit && static_cast<int>(values.size()) < kMaxAxisValues;) {
        values.push_back(v);
        v += step;
        if (10.0 * decade <= v * f1) {
            v = PowerOfTenFloor(v * f1);
            decade = v;
            step = spacing * 10.0 * decade;
        }
    }
    return values;
}

}  // namespace kv
