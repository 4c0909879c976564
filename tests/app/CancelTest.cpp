#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "app/CMixDlg.h"
#include "app/EngineDoc.h"
#include "app/ProjectBytes.h"
#include "generate/CGenerate.h"
#include "platform/CProgress.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

std::vector<double> Values(const CDataColumn& c) { return std::vector<double>(c.begin(), c.end()); }

// Everything a stopped operation must leave as it was.
struct ProjectState {
    explicit ProjectState(CKalvoraDoc& doc)
        : bytes(test::Store(doc)),
          timeI(Values(doc.m_TimeData.Inphase())),
          timeQ(Values(doc.m_TimeData.Quadrature())),
          freqI(Values(doc.m_FreqData.Inphase())),
          timeStart(doc.m_TimeData.m_nStart),
          timeStop(doc.m_TimeData.m_nStop),
          timeName(doc.m_TimeData.m_strName),
          modified(doc.IsModified()),
          undo(doc.UndoCount()),
          redo(doc.RedoCount()) {}
    bool operator==(const ProjectState&) const = default;

    std::vector<uint8_t> bytes;
    std::vector<double> timeI, timeQ, freqI;
    int32_t timeStart, timeStop;
    std::string timeName;
    bool modified;
    size_t undo, redo;
};

class StoppedOperation : public ::testing::Test {
protected:
    void SetUp() override {
        previousDelay = CProgress::SetShowDelay(0ms);
        view = static_cast<test::CRecordingView*>(windows.CreatePlotView(doc));
        doc.NewProject();
    }
    void TearDown() override { CProgress::SetShowDelay(previousDelay); }
    void Generate(int samples) {
        platform.OnDialog<CGenerate>([samples](CGenerate& d) {
            d.SimulateText(CGenerate::IDC_SAMPLES, std::to_string(samples));
            d.SimulateClick(IDOK);
        });
        doc.RunOperation(OP_GENERATE);
    }
    // Data hints the views were told (not the redraw-everything hint).
    int DataHints() const {
        int n = 0;
        for (const auto& u : view->updates)
            if (u.hint != HINT_REDRAW_ALL) ++n;
        return n;
    }

    std::chrono::milliseconds previousDelay{};
    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
    test::EngineDoc doc;
    test::CRecordingView* view = nullptr;
};

TEST_F(StoppedOperation, AStoppedReadLeavesTheProjectAsItWas) {
    doc.reader = test::RampReader(8);
    doc.RunOperation(OP_READ_TIME);
    doc.m_TimeData.SetRangeByIndex(1, 7, true);
    doc.SetModified(false);
    doc.Undo();
    doc.Redo();
    const ProjectState before(doc);
    const double* values = doc.m_TimeData.Inphase().GetData();

    // A read that is stopped half-way.
    doc.reader = [](CKalvoData& data) {
        CProgress progress("Reading");
        for (int i = 0; i < 100; ++i) {
            data.Inphase().Append(-1.0);
            data.Quadrature().Append(-1.0);
            progress.Step(static_cast<uint64_t>(i), 100);
        }
        return true;
    };
    platform.stopAtProgress = 1;
    view->updates.clear();
    doc.RunOperation(OP_READ_TIME);

    EXPECT_EQ(ProjectState(doc), before);
    EXPECT_EQ(doc.m_TimeData.Inphase().GetData(), values);  // the very same values, not a copy
    EXPECT_EQ(doc.m_bReadFailed, 0);
    EXPECT_EQ(DataHints(), 0);
    EXPECT_EQ(platform.statusTexts.back(), "Ready");
    EXPECT_EQ(platform.progressEnds, 1);
    EXPECT_EQ(platform.waitCursorDepth, 0);
}

TEST_F(StoppedOperation, AStoppedMixPutsBackTheDataAndTheDialogValues) {
    Generate(300000);
    const ProjectState before(doc);
    const float frequency = doc.m_MixDlg.m_fMixFrequency;
    platform.OnDialog<CMixDlg>([](CMixDlg& d) {
        d.SimulateText(CMixDlg::IDC_FREQUENCY, "0.125");
        d.SimulateClick(IDOK);
    });
    platform.progress.clear();  // those of the generation
    platform.stopAtProgress = 1;
    view->updates.clear();
    doc.RunOperation(OP_MIX);
    ASSERT_EQ(platform.progress.size(), 1u);  // the mix had begun
    EXPECT_EQ(ProjectState(doc), before);
    EXPECT_EQ(doc.m_MixDlg.m_fMixFrequency, frequency);
    EXPECT_EQ(DataHints(), 0);

    // Not stopped, the same mix changes the data and takes its snapshot.
    platform.stopAtProgress = 0;
    platform.OnDialog<CMixDlg>([](CMixDlg& d) {
        d.SimulateText(CMixDlg::IDC_FREQUENCY, "0.125");
        d.SimulateClick(IDOK);
    });
    doc.RunOperation(OP_MIX);
    EXPECT_EQ(doc.UndoCount(), before.undo + 1);
    EXPECT_NE(Values(doc.m_TimeData.Inphase()), before.timeI);
    EXPECT_EQ(doc.m_MixDlg.m_fMixFrequency, 0.125f);
}

// The transform of a long signal, stopped part-way: the Frequency Data and
// the undo history stay as they were; run again, it completes.
TEST(StoppedTransform, LeavesTheFrequencyDataAsItWas) {
    const std::chrono::milliseconds previousDelay = CProgress::SetShowDelay(0ms);
    test::CScriptedPlatform platform;
    CModDoc doc;
    doc.NewProject();
    platform.OnDialog<CGenerate>([](CGenerate& d) {
        d.SimulateText(CGenerate::IDC_SAMPLES, "131072");
        d.SimulateClick(IDOK);
    });
    doc.RunOperation(OP_GENERATE);
    ASSERT_EQ(doc.m_TimeData.GetCount(), 131072);
    const ProjectState before(doc);

    platform.progress.clear();  // those of the generation
    platform.stopAtProgress = 1;
    doc.RunOperation(OP_TO_FREQ);
    EXPECT_EQ(platform.progress.size(), 1u);
    EXPECT_EQ(ProjectState(doc), before);
    EXPECT_TRUE(doc.m_FreqData.IsEmpty());

    platform.stopAtProgress = 0;
    doc.RunOperation(OP_TO_FREQ);
    EXPECT_EQ(doc.m_FreqData.GetCount(), 131072);
    EXPECT_EQ(doc.UndoCount(), before.undo + 1);
    CProgress::SetShowDelay(previousDelay);
}

}  // namespace
}  // namespace kv
