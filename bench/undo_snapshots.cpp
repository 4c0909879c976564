// Runs twelve engine operations on a project of 4,000,000 complex Time Data
// points and as many Frequency Data points (about 128 MB of samples), and
// reports the peak memory and the time each undo snapshot takes.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

#include "app/CModDoc.h"

#include "BenchPlatform.h"

namespace {

using namespace kv;

long PeakRssKb() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The snapshot-taking document, timing each snapshot.
class TimedDoc : public CModDoc {
public:
    double snapshotSeconds = 0.0;
    int snapshots = 0;
    void Snapshot() {
        auto t0 = std::chrono::steady_clock::now();
        SaveUndoState();
        snapshotSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        ++snapshots;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int points = argc > 1 ? std::atoi(argv[1]) : 4000000;
    bench::CBenchPlatform platform(bench::CBenchPlatform::Dialogs::PressOk, false);

    const long baseKb = PeakRssKb();
    auto doc = std::make_unique<TimedDoc>();
    for (CKalvoData* data : {&doc->m_TimeData, &doc->m_FreqData}) {
        data->Inphase().SetSize(points);
        data->Quadrature().SetSize(points);
        for (int i = 0; i < points; ++i) {
            data->Inphase()[i] = i * 1e-3;
            data->Quadrature()[i] = -i * 1e-3;
        }
        data->m_bReal = 0;
        data->ResetRange();
    }
    const double projectMb = 4.0 * points * sizeof(double) / 1e6;
    doc->Snapshot();

    // Twelve engine operations: each scales the Time Data and takes one
    // snapshot of the whole project.
    // The first ten fill the history with fresh blocks; from then on the
    // oldest snapshot's block is reused.
    double runSeconds = 0.0, freshSeconds = 0.0, reusedSeconds = 0.0;
    for (int i = 0; i < 12; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        doc->RunOperation(OP_SCALE);
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        runSeconds += s;
        (i < 10 ? freshSeconds : reusedSeconds) += s;
    }

    // Snapshots alone, timed (the history is full: each reuses a block).
    for (int i = 0; i < 5; ++i) doc->Snapshot();

    const long peakKb = PeakRssKb();
    const double snapshotMb = static_cast<double>(doc->SnapshotBytes()) / doc->UndoCount() / 1e6;
    std::printf("points=%d\n", points);
    std::printf("project_mb=%.1f\n", projectMb);
    std::printf("snapshot_mb=%.1f\n", snapshotMb);
    std::printf("undo_snapshots=%zu\n", doc->UndoCount());
    std::printf("peak_rss_mb=%.1f\n", peakKb / 1024.0);
    std::printf("peak_rss_per_snapshot_mb=%.1f\n", (peakKb - baseKb) / 1024.0 / (doc->UndoCount() + 1));
    std::printf("ms_per_snapshot=%.1f\n", 1e3 * doc->snapshotSeconds / doc->snapshots);
    std::printf("ms_per_operation=%.1f\n", 1e3 * runSeconds / 12);
    std::printf("ms_per_operation_fresh_block=%.1f\n", 1e3 * freshSeconds / 10);
    std::printf("ms_per_operation_reused_block=%.1f\n", 1e3 * reusedSeconds / 2);
    return 0;
}
