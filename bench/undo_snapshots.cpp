// Runs engine operations on a large project and reports the memory the undo
// history takes and the time each operation (with its snapshot) takes.
//
//   bench_undo_snapshots [points] [operations] [scale|conjugate]
//
// The project holds `points` complex Time Data points and as many Frequency
// Data points (default 4,000,000: 128 MB of samples). Each operation changes
// the Time Data only: Scale rewrites both of its columns, Conjugate only the
// Quadrature column. Snapshots share every column an operation did not
// write, so the history grows by what changed, not by the project.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>
#include <sys/resource.h>

#include "app/CModDoc.h"

#include "BenchPlatform.h"

namespace {

using namespace kv;

double PeakRssMb() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
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

double Seconds(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int points = argc > 1 ? std::atoi(argv[1]) : 4000000;
    const int operations = argc > 2 ? std::atoi(argv[2]) : 12;
    const bool conjugate = argc > 3 && std::strcmp(argv[3], "conjugate") == 0;
    bench::CBenchPlatform platform(bench::CBenchPlatform::Dialogs::PressOk, false);

    const double baseMb = PeakRssMb();
    auto doc = std::make_unique<TimedDoc>();
    for (CKalvoData* data : {&doc->m_TimeData, &doc->m_FreqData}) {
        data->Inphase().SetSize(points);
        data->Quadrature().SetSize(points);
        double* re = data->Inphase().GetWritableData();
        double* im = data->Quadrature().GetWritableData();
        for (int i = 0; i < points; ++i) {
            re[i] = i * 1e-3;
            im[i] = -i * 1e-3;
        }
        data->m_bReal = 0;
        data->ResetRange();
    }
    const double projectMb = 4.0 * points * sizeof(double) / 1e6;
    const double changedMb = (conjugate ? 1.0 : 2.0) * points * sizeof(double) / 1e6;
    const double loadedMb = PeakRssMb() - baseMb;
    doc->Snapshot();

    // Each operation rewrites the Time Data and takes one snapshot.
    double runSeconds = 0.0, fillingSeconds = 0.0, fullSeconds = 0.0;
    int filling = 0;
    for (int i = 0; i < operations; ++i) {
        const bool historyFull = doc->UndoCount() > 10;
        auto t0 = std::chrono::steady_clock::now();
        doc->RunOperation(conjugate ? OP_CONJUGATE : OP_SCALE);
        const double s = Seconds(t0);
        runSeconds += s;
        (historyFull ? fullSeconds : fillingSeconds) += s;
        filling += historyFull ? 0 : 1;
    }
    const double afterOperationsMb = PeakRssMb() - baseMb;

    // Snapshots alone, timed.
    for (int i = 0; i < 5; ++i) doc->Snapshot();

    // Undo all the way back and forward again.
    auto t0 = std::chrono::steady_clock::now();
    int steps = 0;
    while (doc->CanUndo()) {
        doc->Undo();
        ++steps;
    }
    while (doc->CanRedo()) doc->Redo();
    const double undoRedoSeconds = Seconds(t0);

    const double peakMb = PeakRssMb() - baseMb;
    std::printf("points=%d\n", points);
    std::printf("operation=%s\n", conjugate ? "conjugate" : "scale");
    std::printf("project_mb=%.1f\n", projectMb);
    std::printf("changed_per_operation_mb=%.1f\n", changedMb);
    std::printf("snapshot_file_mb=%.1f\n", static_cast<double>(doc->UndoSnapshot(0).GetLength()) / 1e6);
    std::printf("snapshot_own_bytes=%llu\n", static_cast<unsigned long long>(doc->UndoSnapshot(0).OwnBytes()));
    std::printf("undo_snapshots=%zu\n", doc->UndoCount());
    std::printf("project_rss_mb=%.1f\n", loadedMb);
    std::printf("peak_rss_mb=%.1f\n", peakMb);
    std::printf("history_rss_mb=%.1f\n", afterOperationsMb - loadedMb);
    std::printf("history_rss_per_level_mb=%.1f\n",
                (afterOperationsMb - loadedMb) / std::max(1, std::min(operations, 10)));
    std::printf("ms_per_snapshot=%.3f\n", 1e3 * doc->snapshotSeconds / doc->snapshots);
    std::printf("ms_per_operation=%.1f\n", 1e3 * runSeconds / operations);
    if (filling > 0) std::printf("ms_per_operation_history_filling=%.1f\n", 1e3 * fillingSeconds / filling);
    if (operations > filling)
        std::printf("ms_per_operation_history_full=%.1f\n", 1e3 * fullSeconds / (operations - filling));
    std::printf("ms_per_undo_or_redo=%.2f\n", 1e3 * undoRedoSeconds / (2 * steps));
    return 0;
}
