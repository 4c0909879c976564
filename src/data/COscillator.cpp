#include "data/COscillator.h"

#include <cmath>

namespace kv {

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
}  // namespace

void OscillatorInit(COscillator& osc, double frequency, double fs, double phase0, double amplitude) {
    osc.m_dStep = kTwoPi * frequency / fs;
    osc.m_dPhase = phase0;
    osc.m_dAmplitude = amplitude;
}

void OscillatorApply(COscillator& osc, double& re, double& im) {
    const double c = std::cos(osc.m_dPhase), s = std::sin(osc.m_dPhase);
    const double a = osc.m_dAmplitude;
    const double nr = a * (re * c - im * s);
    const double ni = a * (re * s + im * c);
    re = nr;
    im = ni;
    osc.m_dPhase += osc.m_dStep;
    if (osc.m_dPhase > kPi)
        osc.m_dPhase -= kTwoPi;
    else if (osc.m_dPhase < -kPi)
        osc.m_dPhase += kTwoPi;
}

}  // namespace kv
