#pragma once
#include <cstdint>

namespace kv {

class CKalvoData;

// Shapes of one period, for a phase x in [0, 2*pi).
double SquareShape(double x);
double TriangleShape(double x);
double SawtoothShape(double x);
// The shape of a waveform (0 sine, 1 square, 2 triangle, 3 sawtooth; any other
// value is a sine).
double WaveformShape(int32_t waveform, double x);

// Replaces the data's columns with count samples of a waveform of frequency f
// (in the unit of the data's sampling frequency) starting at a phase in
// degrees; complex fills the Quadrature column with the shape a quarter
// period later, otherwise it is zeros and the data is real.
void SynthesizeWaveform(CKalvoData& data, int32_t count, bool complex, int32_t waveform, double frequency,
                        double phaseDegrees);
// The same with the rate given as a number of cycles over the whole length.
void SynthesizeCycles(CKalvoData& data, int32_t count, double cycles, double phaseDegrees, int32_t waveform,
                      bool complex);

}  // namespace kv
