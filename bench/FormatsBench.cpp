// Reading and writing a 10,000,000-sample complex signal as Text:Decimal,
// Binary:double and 16-bit WAVE. Prints name=value lines (MB/s of file bytes,
// seconds). Usage: bench_formats [samples] [directory] [runs] [text|double|wave16]
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "data/CDataFormat.h"
#include "data/CDataSet.h"
#include "data/CDataSetIO.h"
#include "formats/SignalFiles.h"

using namespace kv;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Processor time of this process (user and system), in seconds: on a shared
// machine it shows the cost of the work whatever the other load.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

uint64_t FileSize(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

void Report(const char* name, double value) { std::printf("%s=%.1f\n", name, value); }

// Writes and reads the data in one format; prints the rates. Best of `runs`.
bool Measure(const char* label, CDataSetIO& data, int32_t id, const std::string& path, int runs) {
    double bestWrite = 1e30, bestRead = 1e30, cpuWrite = 1e30, cpuRead = 1e30;
    uint64_t bytes = 0;
    int32_t n = data.GetCount();
    for (int r = 0; r < runs; ++r) {
        CDataFormat format(id);
        format.m_WavFmt.m_nSizeChoice = 1;
        auto t0 = Clock::now();
        double c0 = CpuSeconds();
        if (!WriteSignalFile(data, format, path, 0, 1, 1)) return false;
        bestWrite = std::min(bestWrite, Seconds(t0));
        cpuWrite = std::min(cpuWrite, CpuSeconds() - c0);
        bytes = FileSize(path);

        CDataSetIO back;
        back.AddColumn();
        back.AddColumn();
        CDataFormat readFormat(id);
        auto t1 = Clock::now();
        double c1 = CpuSeconds();
        if (!ReadSignalFile(back, readFormat, path, 0, 1)) return false;
        bestRead = std::min(bestRead, Seconds(t1));
        cpuRead = std::min(cpuRead, CpuSeconds() - c1);
        if (back.GetCount() != n) {
            std::fprintf(stderr, "%s: read %d of %d samples\n", label, back.GetCount(), n);
            return false;
        }
    }
    double mb = static_cast<double>(bytes) / 1e6;
    std::string name(label);
    Report((name + "_file_MB").c_str(), mb);
    Report((name + "_write_MBps").c_str(), mb / bestWrite);
    Report((name + "_read_MBps").c_str(), mb / bestRead);
    Report((name + "_write_cpu_MBps").c_str(), mb / std::max(cpuWrite, 1e-6));
    Report((name + "_read_cpu_MBps").c_str(), mb / std::max(cpuRead, 1e-6));
    std::printf("%s_write_s=%.3f\n%s_read_s=%.3f\n", label, bestWrite, label, bestRead);
    std::remove(path.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int32_t samples = argc > 1 ? std::atoi(argv[1]) : 10000000;
    std::string dir = argc > 2 ? argv[2] : "/tmp";
    int runs = argc > 3 ? std::atoi(argv[3]) : 2;
    std::string only = argc > 4 ? argv[4] : "";  // "text", "double" or "wave16": that format alone
    std::string base = dir + "/kalvora_bench_" + std::to_string(getpid());

    CDataSetIO data;
    CDataColumn& ci = data.AddColumn();
    CDataColumn& cq = data.AddColumn();
    std::mt19937_64 rng(1);
    std::uniform_real_distribution<double> u(-1.0, 1.0);

    // Appending one value at a time, as the readers do.
    auto t0 = Clock::now();
    for (int32_t i = 0; i < samples; ++i) {
        ci.Append(u(rng));
        cq.Append(u(rng));
    }
    double fill = Seconds(t0);
    CDataSetIO scratch;
    CDataColumn& a = scratch.AddColumn();
    CDataColumn& b = scratch.AddColumn();
    t0 = Clock::now();
    for (int32_t i = 0; i < samples; ++i) {
        a.Append(ci[i]);
        b.Append(cq[i]);
    }
    double append = Seconds(t0);
    std::printf("samples=%d\n", samples);
    std::printf("append_two_columns_s=%.3f\n", append);
    std::printf("append_ns_per_value=%.2f\n", append * 1e9 / (2.0 * samples));
    std::printf("fill_random_s=%.3f\n", fill);
    scratch.Reset();

    auto wanted = [&](const char* name) { return only.empty() || only == name; };
    bool ok = (!wanted("text") || Measure("text", data, FMT_TEXT_DECIMAL, base + ".txt", runs)) &&
              (!wanted("double") || Measure("double", data, FMT_BINARY_DOUBLE, base + ".dat", runs)) &&
              (!wanted("wave16") || Measure("wave16", data, FMT_BINARY_WAVE, base + ".wav", runs));
    std::remove((base + ".txt").c_str());
    std::remove((base + ".dat").c_str());
    std::remove((base + ".wav").c_str());
    return ok ? 0 : 1;
}
