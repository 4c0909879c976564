#pragma once
#include <cstdint>
#include <string>

namespace kv {

class CAudio;
class CDataColumn;
class CModParm;
class CNoise;
class CQuadErr;
class CSamp;

// The steps of the modulated-signal generator. The pages' values are floats,
// as the generator's definition keeps them; the phases of the audio and the
// carrier run in double precision with the one double 2*pi, so a tone of a
// whole number of cycles is coherent. A signal comes out the same, sample
// for sample, at every generation.

// 2*pi and pi as 32-bit floats and as doubles.
inline constexpr float kTwoPiF = 6.2831854820251465f;
inline constexpr float kPiF = 3.1415927410125732f;
inline constexpr double kTwoPiD = 6.283185307179586;
inline constexpr double kPiD = 3.141592653589793;

// 0 below -300 dB, otherwise 10^(db/20).
double DbToAmplitude(double db);

// The noise generator: a linear congruential generator whose state is
// shared by the whole program.
void SeedRandom(uint32_t seed);
// The next value, 0 ... 32767.
int32_t NextRandom();
// float(NextRandom / 32767.0 - 0.5), in [-0.5, 0.5].
float UniformSample();
// A sum of twelve uniform samples, of unit variance.
float GaussianSample();

// Appends count audio samples of the page's waveform (Fs in the frequency
// unit of the page's frequency).
bool GenerateAudio(int32_t count, const CAudio& audio, CDataColumn& column, float fs);
// Appends count values read from the page's audio file, one per line, asking
// about bad lines and a short file. False when the file cannot be opened or
// the user cancels.
bool ReadAudioFile(const CAudio& audio, int32_t count, CDataColumn& column);
// Appends count points of the modulated carrier, with the IF errors, to the
// Inphase and Quadrature columns.
void Modulate(const CModParm& modulation, const CQuadErr& errors, int32_t count, CDataColumn& inphase,
              CDataColumn& quadrature, const CDataColumn& audio, float fs);
// Adds noise of the page's type and level to the first count points; reseed
// starts the random sequence at the page's seed. False for an unknown type.
bool AddNoise(const CNoise& noise, int32_t count, CDataColumn& column, bool reseed);
// Filters the column with the taps of an IF filter file (a tap count, then
// the taps): y[o] = sum of h[i] * x[o - T - i]. An empty name filters
// nothing. False, with a message, when the file cannot be opened or its tap
// count cannot be read; the column is then unchanged.
bool IfFilterFile(const std::string& fileName, CDataColumn& column);
// Clips x to the page's saturation value (0: no clipping) and notes it.
double Saturate(const CSamp& sample, double x, bool& saturated);
// Quantizes every point to the page's data scale (round halves away from
// zero, or truncate toward zero), with saturation; nothing when the
// quantization is "None".
void QuantizeColumn(const CSamp& sample, CDataColumn& column, bool& saturated);
// Multiplies every point by the data scale, with saturation.
void ScaleColumn(const CSamp& sample, CDataColumn& column, bool& saturated);
// Appends the magnitude of every point.
void AmDemodulate(const CDataColumn& inphase, const CDataColumn& quadrature, CDataColumn& out);
// Appends the phase step from point to point, in [-1, 1] (1 is pi).
void FmDemodulate(const CDataColumn& inphase, const CDataColumn& quadrature, CDataColumn& out);

}  // namespace kv
