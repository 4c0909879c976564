// The whole chain on a large complex capture, as the program runs it: read a
// Binary:double file, time statistics, transform (the largest power of two),
// frequency statistics, write the spectrum as Binary:double; with an undo
// snapshot after the read and after the transform, as the engine takes them.
// Prints each step's wall-clock time and the peak memory against the
// project's data.
//
//   bench_large_chain [samples] [directory] [keep]
//
// The capture (default 100,000,000 complex samples, 1.6 GB) is written to
// the directory (default /tmp) first, in pieces, and deleted at the end with
// the spectrum unless "keep" is given (then an existing capture of the right
// size is reused).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "analysis/CDsStats.h"
#include "analysis/CFreqStats.h"
#include "dsp/MixedRadixFft.h"
#include "dsp/Transform.h"
#include "data/CDataFormat.h"
#include "formats/FormatCatalogue.h"
#include "formats/SignalFiles.h"
#include "app/CModDoc.h"

#include "BenchPlatform.h"

using namespace kv;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Processor time of the process (user and system, all threads), seconds.
double CpuSeconds() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

double PeakRssMb() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

uint64_t FileSize(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

// A tone with a few harmonics in Gaussian noise, written a million samples at a time.
bool WriteCapture(const std::string& path, int64_t samples) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::mt19937_64 rng(7);
    std::normal_distribution<double> noise(0.0, 1e-4);
    std::vector<double> frame(2 << 20);
    const double w = 2.0 * M_PI * 0.0123456;
    for (int64_t i0 = 0; i0 < samples; i0 += 1 << 20) {
        const int64_t k = std::min<int64_t>(1 << 20, samples - i0);
        for (int64_t j = 0; j < k; ++j) {
            const double p = w * static_cast<double>(i0 + j);
            frame[2 * j] = 0.5 * std::cos(p) + 1e-3 * std::cos(3 * p) + noise(rng);
            frame[2 * j + 1] = 0.5 * std::sin(p) + 1e-3 * std::sin(3 * p) + noise(rng);
        }
        if (std::fwrite(frame.data(), 16, static_cast<size_t>(k), f) != static_cast<size_t>(k)) {
            std::fclose(f);
            return false;
        }
    }
    return std::fclose(f) == 0;
}

// The document of the run, with its snapshot operation reachable.
class ChainDoc : public CModDoc {
public:
    void Snapshot() { SaveUndoState(); }
};

}  // namespace

int main(int argc, char** argv) {
    const int64_t samples = argc > 1 ? std::atoll(argv[1]) : 100000000;
    const std::string dir = argc > 2 ? argv[2] : "/tmp";
    const bool keep = argc > 3 && std::strcmp(argv[3], "keep") == 0;
    const std::string capture = dir + "/kv_chain_capture.bin";
    const std::string spectrum = dir + "/kv_chain_spectrum.bin";
    bench::CBenchPlatform platform(bench::CBenchPlatform::Dialogs::PressOk, true);

    if (!(keep && FileSize(capture) == static_cast<uint64_t>(samples) * 16)) {
        auto t = Clock::now();
        if (!WriteCapture(capture, samples)) {
            std::fprintf(stderr, "cannot write %s\n", capture.c_str());
            return 1;
        }
        std::printf("capture_written_s=%.2f\n", Seconds(t));
    }
    const double baseMb = PeakRssMb();
    auto doc = std::make_unique<ChainDoc>();
    doc->Snapshot();

    const auto start = Clock::now();
    const double cpuStart = CpuSeconds();
    auto t = Clock::now();
    double c = CpuSeconds();
    CDataFormat format(FMT_BINARY_DOUBLE);
    if (!ReadSignalFile(doc->m_TimeData, format, capture, 0, 1)) return 1;
    doc->m_TimeData.EqualizeColumns(0.0);
    doc->m_TimeData.ApplyFs(doc->m_Fs);
    doc->m_FreqData.Reset();
    doc->Snapshot();
    const double readS = Seconds(t);
    const double readSCpu = CpuSeconds() - c;

    t = Clock::now();
    c = CpuSeconds();
    CDsStats timeStats;
    timeStats.Compute(doc->m_TimeData);
    const double timeStatsS = Seconds(t);
    const double timeStatsSCpu = CpuSeconds() - c;

    t = Clock::now();
    c = CpuSeconds();
    const int32_t length = NextLowerPowerOfTwo(doc->m_TimeData.GetCount());
    if (!TransformFrom(doc->m_FreqData, doc->m_TimeData, false, 0, length)) return 1;
    doc->UpdateDbReference();
    doc->Snapshot();
    const double transformS = Seconds(t);
    const double transformSCpu = CpuSeconds() - c;

    t = Clock::now();
    c = CpuSeconds();
    const FreqStatResults stats = doc->m_FreqStats.ComputeFrequencyStatistics();
    const double freqStatsS = Seconds(t);
    const double freqStatsSCpu = CpuSeconds() - c;

    t = Clock::now();
    c = CpuSeconds();
    CDataFormat out(FMT_BINARY_DOUBLE);
    if (!WriteSignalFile(doc->m_FreqData, out, spectrum, 0, 1, 1)) return 1;
    const double writeS = Seconds(t);
    const double writeSCpu = CpuSeconds() - c;
    const double totalS = Seconds(start);
    const double totalCpu = CpuSeconds() - cpuStart;

    const double peakMb = PeakRssMb() - baseMb;
    const double timeMb = 16.0 * static_cast<double>(doc->m_TimeData.GetCount()) / 1048576.0;
    const double freqMb = 16.0 * static_cast<double>(doc->m_FreqData.GetCount()) / 1048576.0;
    std::printf("samples=%lld\n", static_cast<long long>(samples));
    std::printf("transform_points=%d\n", length);
    std::printf("read_s=%.2f\n", readS);
    std::printf("read_cpu_s=%.2f\n", readSCpu);
    std::printf("read_MBps=%.0f\n", static_cast<double>(FileSize(capture)) / 1e6 / readS);
    std::printf("time_stats_s=%.2f\n", timeStatsS);
    std::printf("time_stats_cpu_s=%.2f\n", timeStatsSCpu);
    std::printf("transform_s=%.2f\n", transformS);
    std::printf("transform_cpu_s=%.2f\n", transformSCpu);
    std::printf("freq_stats_s=%.2f\n", freqStatsS);
    std::printf("freq_stats_cpu_s=%.2f\n", freqStatsSCpu);
    std::printf("write_s=%.2f\n", writeS);
    std::printf("write_cpu_s=%.2f\n", writeSCpu);
    std::printf("chain_s=%.2f\n", totalS);
    std::printf("chain_cpu_s=%.2f\n", totalCpu);
    std::printf("project_data_MiB=%.0f\n", timeMb + freqMb);
    std::printf("peak_rss_MiB=%.0f\n", peakMb);
    std::printf("peak_over_project_data_MiB=%.0f\n", peakMb - timeMb - freqMb);
    std::printf("fundamental=%.6f sfdr_db=%.2f rms=%.6f\n", stats.m_dFundamentalFrequency, stats.m_dSfdr,
                timeStats.m_dMagnitudeRms);
    if (!keep) std::remove(capture.c_str());
    std::remove(spectrum.c_str());
    return 0;
}
