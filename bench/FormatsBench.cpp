// Reading and writing a 10,000,000-sample complex signal in the signal file
// formats: Text:Decimal, Binary:double and 16-bit WAVE (the program's own),
// and Text:CSV, the raw integer formats, NumPy and SigMF. Prints name=value
// lines (MB/s of file bytes, by wall clock and by processor time, best of the
// runs). Usage:
//   bench_formats [samples] [directory] [runs] [format,format,...]
// with the formats named text, double, wave16, csv, int8, uint8, int16,
// int32, npy, sigmf (default: all), and `fill` for the time it takes to
// fill two fresh columns of that many values with nothing but stores (the
// floor of the binary reads).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#ifdef __linux__
#include <sys/mman.h>
#endif

#include "data/CDataFormat.h"
#include "data/CDataSet.h"
#include "data/CDataSetIO.h"
#include "formats/SignalFiles.h"
#include "platform/CWorkerPool.h"

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

void Report(const std::string& name, double value) { std::printf("%s=%.1f\n", name.c_str(), value); }

struct CCase {
    const char* label;
    int32_t id;
    const char* extension;
};

const CCase kCases[] = {
    {"text", FMT_TEXT_DECIMAL, ".txt"}, {"double", FMT_BINARY_DOUBLE, ".dat"}, {"wave16", FMT_BINARY_WAVE, ".wav"},
    {"csv", FMT_TEXT_CSV, ".csv"},      {"int8", FMT_BINARY_INT8, ".i8"},      {"uint8", FMT_BINARY_UINT8, ".u8"},
    {"int16", FMT_BINARY_INT16, ".i16"}, {"int32", FMT_BINARY_INT32, ".i32"},   {"npy", FMT_BINARY_NPY, ".npy"},
    {"sigmf", FMT_BINARY_SIGMF, ".sigmf-meta"},
};

// Bytes of a written file (both files of a SigMF recording).
uint64_t WrittenBytes(int32_t id, const std::string& path) {
    if (id != FMT_BINARY_SIGMF) return FileSize(path);
    const std::string base = path.substr(0, path.size() - std::string(".sigmf-meta").size());
    return FileSize(base + ".sigmf-data") + FileSize(path);
}

void Remove(int32_t id, const std::string& path) {
    std::remove(path.c_str());
    if (id == FMT_BINARY_SIGMF) {
        const std::string base = path.substr(0, path.size() - std::string(".sigmf-meta").size());
        std::remove((base + ".sigmf-data").c_str());
    }
}

// Writes and reads the data in one format; prints the rates. Best of `runs`.
// Every read goes into fresh columns, as a read into a project does.
bool Measure(const CCase& c, CDataSetIO& data, const std::string& path, int runs) {
    double bestWrite = 1e30, bestRead = 1e30, cpuWrite = 1e30, cpuRead = 1e30;
    uint64_t bytes = 0;
    const int32_t n = data.GetCount();
    for (int r = 0; r < runs; ++r) {
        CDataFormat format(c.id);
        format.m_WavFmt.m_nSizeChoice = 1;
        auto t0 = Clock::now();
        double c0 = CpuSeconds();
        if (!WriteSignalFile(data, format, path, 0, 1, 1)) return false;
        bestWrite = std::min(bestWrite, Seconds(t0));
        cpuWrite = std::min(cpuWrite, CpuSeconds() - c0);
        bytes = WrittenBytes(c.id, path);

        CDataSetIO back;
        back.AddColumn();
        back.AddColumn();
        CDataFormat readFormat(c.id);
        auto t1 = Clock::now();
        double c1 = CpuSeconds();
        if (!ReadSignalFile(back, readFormat, path, 0, 1)) return false;
        bestRead = std::min(bestRead, Seconds(t1));
        cpuRead = std::min(cpuRead, CpuSeconds() - c1);
        if (back.GetCount() != n) {
            std::fprintf(stderr, "%s: read %d of %d samples\n", c.label, back.GetCount(), n);
            return false;
        }
    }
    const double mb = static_cast<double>(bytes) / 1e6;
    const std::string name(c.label);
    Report(name + "_file_MB", mb);
    Report(name + "_write_MBps", mb / bestWrite);
    Report(name + "_read_MBps", mb / bestRead);
    Report(name + "_write_cpu_MBps", mb / std::max(cpuWrite, 1e-6));
    Report(name + "_read_cpu_MBps", mb / std::max(cpuRead, 1e-6));
    std::printf("%s_write_s=%.3f\n%s_read_s=%.3f\n", c.label, bestWrite, c.label, bestRead);
    Remove(c.id, path);
    return true;
}

// The floor of every binary read: two fresh columns of `samples` values
// filled with stores alone (no file, no conversion), as the readers fill them:
// each thread its own part, its pages made present block by block. Prints the
// best time of `runs` for one thread and for all threads, and what it would
// mean in MB/s of an 8-bit complex file (2 bytes per complex sample).
void MeasureFreshFill(int32_t samples, int runs) {
    const int most = CWorkerPool::Instance().Threads();
    for (int threads = 1; threads <= most; threads = threads == 1 && most > 1 ? most : most + 1) {
        double best = 1e30;
        for (int r = 0; r < runs; ++r) {
            CDataColumn ci, cq;
            auto t0 = Clock::now();
            ci.SetSize(samples);
            cq.SetSize(samples);
            double* columns[2] = {ci.GetWritableData(), cq.GetWritableData()};
            CWorkerPool::Instance().Run(threads, [&](int part) {
                const size_t begin = static_cast<size_t>(samples) * static_cast<size_t>(part) / static_cast<size_t>(threads);
                const size_t end = static_cast<size_t>(samples) * static_cast<size_t>(part + 1) / static_cast<size_t>(threads);
                constexpr size_t kBlock = 32768;  // values: 256 KiB
                for (size_t at = begin; at < end; at += kBlock) {
                    const size_t n = std::min(kBlock, end - at);
                    for (double* c : columns) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
                        const uintptr_t page = 4096;
                        const uintptr_t b = reinterpret_cast<uintptr_t>(c + at) & ~(page - 1);
                        const uintptr_t e = (reinterpret_cast<uintptr_t>(c + at + n) + page - 1) & ~(page - 1);
                        madvise(reinterpret_cast<void*>(b), e - b, MADV_POPULATE_WRITE);
#endif
                        std::fill(c + at, c + at + n, 0.5);
                    }
                }
            });
            best = std::min(best, Seconds(t0));
        }
        const std::string name = "fresh_fill_" + std::to_string(threads) + "_threads";
        std::printf("%s_ms=%.1f\n", name.c_str(), best * 1e3);
        Report(name + "_as_int8_read_MBps", 2.0 * samples / 1e6 / best);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int32_t samples = argc > 1 ? std::atoi(argv[1]) : 10000000;
    std::string dir = argc > 2 ? argv[2] : "/tmp";
    int runs = argc > 3 ? std::atoi(argv[3]) : 2;
    std::vector<std::string> only;  // the formats to measure; all when empty
    if (argc > 4) {
        std::stringstream list(argv[4]);
        for (std::string name; std::getline(list, name, ',');) only.push_back(name);
    }
    std::string base = dir + "/kalvora_bench_" + std::to_string(getpid());

    CDataSetIO data;
    CDataColumn& ci = data.AddColumn();
    CDataColumn& cq = data.AddColumn();
    std::mt19937_64 rng(1);
    std::uniform_real_distribution<double> u(-1.0, 1.0);

    // Appending one value at a time, as the text readers do.
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

    if (only.empty() || std::find(only.begin(), only.end(), "fill") != only.end())
        MeasureFreshFill(samples, std::max(runs, 5));

    bool ok = true;
    for (const CCase& c : kCases) {
        if (!only.empty() && std::find(only.begin(), only.end(), c.label) == only.end()) continue;
        const std::string path = base + c.extension;
        ok = Measure(c, data, path, runs) && ok;
        Remove(c.id, path);
    }
    return ok ? 0 : 1;
}
