// Generates a modulated signal of 1,000,000 samples (AM, Gaussian noise on
// both columns, a 64-tap IF filter on both columns, quantization) and
// reports the time of one generation and of its steps.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/CModDoc.h"
#include "data/CDataColumn.h"
#include "generate/ModulatedSignal.h"

#include "BenchPlatform.h"

namespace {

using namespace kv;

template <class F>
double Seconds(F f) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int samples = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    bench::CBenchPlatform platform(bench::CBenchPlatform::Dialogs::Cancel, true);

    // A 64-tap low-pass filter file.
    const std::string filter = "/tmp/kv_bench_if_" + std::to_string(getpid()) + ".fir";
    if (std::FILE* f = std::fopen(filter.c_str(), "w")) {
        std::fprintf(f, "64\n");
        for (int i = 0; i < 64; ++i) std::fprintf(f, "%.9g\n", 1.0 / 64.0 * (1.0 + 0.01 * i));
        std::fclose(f);
    }

    CModDoc doc;
    doc.m_Fs.SetValue(48.0);
    doc.m_TimeData.ApplyFs(doc.m_Fs);
    doc.m_Samp.m_nSampleCount = static_cast<uint32_t>(samples);
    doc.m_Samp.m_fScale = 32767.0f;
    doc.m_Samp.m_nQuantization = CSamp::Round;
    doc.m_ModParm.m_fCarrierFrequency = 10.0f;
    doc.m_Noise.m_nNoiseType = CNoise::Gaussian;
    doc.m_IFFilter.m_strInphaseFilter = filter;
    doc.m_IFFilter.m_strQuadratureFilter = filter;

    double best = 1e9, total = 0.0;
    for (int r = 0; r < runs; ++r) {
        double s = Seconds([&] { doc.GenerateSignal(); });
        best = std::min(best, s);
        total += s;
    }

    // The steps on their own, on columns of the same length.
    CDataColumn audio, inphase, quadrature, am, fm;
    const float fs = 48.0f;
    double tAudio = Seconds([&] { GenerateAudio(samples, doc.m_Audio, audio, fs); });
    double tModulate = Seconds([&] { Modulate(doc.m_ModParm, doc.m_QuadErr, samples, inphase, quadrature, audio, fs); });
    double tNoise = Seconds([&] {
        AddNoise(doc.m_Noise, samples, inphase, true);
        AddNoise(doc.m_Noise, samples, quadrature, false);
    });
    double tFilter = Seconds([&] {
        IfFilterFile(filter, inphase);
        IfFilterFile(filter, quadrature);
    });
    bool saturated = false;
    double tQuantize = Seconds([&] {
        QuantizeColumn(doc.m_Samp, inphase, saturated);
        QuantizeColumn(doc.m_Samp, quadrature, saturated);
    });
    double tDemod = Seconds([&] {
        AmDemodulate(inphase, quadrature, am);
        FmDemodulate(inphase, quadrature, fm);
    });
    std::remove(filter.c_str());

    std::printf("samples=%d\n", samples);
    std::printf("generated_points=%d\n", doc.m_TimeData.GetCount());
    std::printf("generate_signal_best_ms=%.1f\n", best * 1e3);
    std::printf("generate_signal_mean_ms=%.1f\n", total / runs * 1e3);
    std::printf("audio_ms=%.1f\n", tAudio * 1e3);
    std::printf("modulate_ms=%.1f\n", tModulate * 1e3);
    std::printf("noise_two_columns_ms=%.1f\n", tNoise * 1e3);
    std::printf("if_filter_64_taps_two_columns_ms=%.1f\n", tFilter * 1e3);
    std::printf("quantize_two_columns_ms=%.1f\n", tQuantize * 1e3);
    std::printf("demodulate_am_fm_ms=%.1f\n", tDemod * 1e3);
    return 0;
}
