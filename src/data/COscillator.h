#pragma once

namespace kv {

// A phase-accumulating complex rotator for frequency shifting: the FFT
// module's oscillator, kept beside the data it runs over so that the data
// operations can use it.
struct COscillator {
    double m_dStep = 0.0;       // phase step per sample, radians
    double m_dPhase = 0.0;      // current phase, radians
    double m_dAmplitude = 1.0;  // output amplitude
};

// Phase step 2 pi f / fs, phase phase0, amplitude amplitude.
void OscillatorInit(COscillator& osc, double frequency, double fs, double phase0, double amplitude);
// (re, im) becomes amplitude * (re + j im) * exp(j phase); then the phase
// advances by the step and is wrapped once into [-pi, pi].
void OscillatorApply(COscillator& osc, double& re, double& im);

}  // namespace kv
