#include <gtest/gtest.h>

#include "app/CCommandTable.h"
#include "app/CSampRate.h"
#include "app/EngineDoc.h"
#include "app/ProjectBytes.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"

namespace kv {
namespace {

using test::EngineDoc;

class UndoRedo : public ::testing::Test {
protected:
    void SetUp() override {
        view = static_cast<test::CRecordingView*>(windows.CreatePlotView(doc));
        doc.NewProject();
    }
    // Scales the Time Data by a factor through the engine.
    void ScaleBy(const std::string& factor) {
        platform.OnDialog<CScaleDlg>([factor](CScaleDlg& d) {
            d.SimulateText(CScaleDlg::IDC_SCALE, factor);
            d.SimulateClick(IDOK);
        });
        doc.RunOperation(OP_SCALE);
    }
    void Generate(int samples) {
        platform.OnDialog<CGenerate>([samples](CGenerate& d) {
            d.SimulateText(CGenerate::IDC_SAMPLES, std::to_string(samples));
            d.SimulateClick(IDOK);
        });
        doc.RunOperation(OP_GENERATE);
    }

    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
    EngineDoc doc;
    test::CRecordingView* view = nullptr;
};

TEST_F(UndoRedo, UndoRestoresDataAndOptionsAndRedoTheChange) {
    EXPECT_FALSE(CCommandTable::IsEnabled(doc, CCommandTable::ID_UNDO));
    EXPECT_FALSE(CCommandTable::IsEnabled(doc, CCommandTable::ID_REDO));
    Generate(16);
    const double generated = doc.m_TimeData.Inphase()[0];
    ScaleBy("3");
    EXPECT_EQ(doc.m_TimeData.Inphase()[0], 3 * generated);
    EXPECT_EQ(doc.m_ScaleDlg.m_dScale, 3.0);
    EXPECT_TRUE(CCommandTable::IsEnabled(doc, CCommandTable::ID_UNDO));

    view->updates.clear();
    ASSERT_TRUE(CCommandTable::Execute(doc, CCommandTable::ID_UNDO));
    EXPECT_EQ(doc.m_TimeData.Inphase()[0], generated);
    EXPECT_EQ(doc.m_ScaleDlg.m_dScale, 1.0);
    ASSERT_EQ(view->updates.size(), 2u);
    EXPECT_EQ(view->updates[0].hint, HINT_DATA_CHANGED);
    EXPECT_EQ(view->updates[0].object, &doc.m_TimeData);
    EXPECT_EQ(view->updates[1].object, &doc.m_FreqData);
    EXPECT_TRUE(CCommandTable::IsEnabled(doc, CCommandTable::ID_REDO));

    CCommandTable::Execute(doc, CCommandTable::ID_REDO);
    EXPECT_EQ(doc.m_TimeData.Inphase()[0], 3 * generated);
    EXPECT_EQ(doc.m_ScaleDlg.m_dScale, 3.0);
    EXPECT_FALSE(CCommandTable::IsEnabled(doc, CCommandTable::ID_REDO));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(UndoRedo, TwelveOperationsLeaveTenLevelsOfUndo) {
    Generate(4);
    for (int i = 0; i < 11; ++i) ScaleBy("2");
    EXPECT_EQ(doc.UndoCount(), 11u);
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(doc.CanUndo()) << i;
        doc.Undo();
    }
    EXPECT_FALSE(doc.CanUndo());
    // The empty project and the generated data are gone: the oldest state
    // left is the generated data scaled once.
    EXPECT_EQ(doc.m_TimeData.GetCount(), 4);
    EXPECT_EQ(doc.m_TimeData.Inphase()[0], 2.0);
    EXPECT_EQ(doc.RedoCount(), 10u);
    // Undo without history still tells the views.
    view->updates.clear();
    doc.Undo();
    EXPECT_EQ(view->updates.size(), 2u);
    EXPECT_EQ(doc.m_TimeData.Inphase()[0], 2.0);
}

TEST_F(UndoRedo, ANewOperationAfterUndoClearsRedo) {
    Generate(4);
    ScaleBy("2");
    doc.Undo();
    EXPECT_TRUE(doc.CanRedo());
    ScaleBy("5");
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(doc.m_TimeData.Inphase()[0], 5.0);
}

TEST_F(UndoRedo, PadIsNotUndoableOnItsOwn) {
    doc.reader = [](CKalvoData& d) {
        for (int i = 0; i < 8; ++i) {
            d.Inphase().Append(i);
            d.Quadrature().Append(0.0);
        }
        d.ResetRange();
        return true;
    };
    doc.RunOperation(OP_READ_FREQ);
    ScaleBy("1");  // a Time Data change of an empty Time Data: a snapshot with the same Frequency Data
    platform.OnDialog<CPadDlg>([](CPadDlg& d) {
        d.SimulateText(CPadDlg::IDC_QUANTITY, "1");
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(CCommandTable::Execute(doc, CCommandTable::ID_FREQ_PAD));
    EXPECT_EQ(doc.m_FreqData.GetCount(), 10);
    EXPECT_TRUE(doc.IsModified());
    doc.Undo();
    EXPECT_EQ(doc.m_FreqData.GetCount(), 8);
    doc.Redo();
    EXPECT_EQ(doc.m_FreqData.GetCount(), 8) << "redo returns the state after the operation, without the pad";
}

TEST_F(UndoRedo, DecibelOptionsAreUndoneButTheDataKeepsItsSettings) {
    Generate(4);
    platform.OnDialog<CRefDlg>([](CRefDlg& d) {
        d.SimulateClick(CRefDlg::IDC_REF_ONE);
        d.SimulateClick(IDOK);
    });
    CCommandTable::Execute(doc, CCommandTable::ID_DECIBELS);
    EXPECT_EQ(doc.m_RefDlg.m_nRefType, 1);
    EXPECT_EQ(doc.m_FreqData.m_strDbLabel, "dBm");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.UndoCount(), 2u) << "the Decibels command takes no snapshot";
    ScaleBy("2");
    doc.Undo();
    doc.Undo();
    EXPECT_EQ(doc.m_RefDlg.m_nRefType, 0);
    EXPECT_EQ(doc.m_FreqData.m_strDbLabel, "dBm");
}

TEST_F(UndoRedo, UndoReloadsTheProjectsSamplingFrequency) {
    Generate(4);
    platform.OnDialog<CZeroPad>([](CZeroPad& d) {
        d.SimulateText(CZeroPad::IDC_STUFF, "1");
        d.SimulateClick(IDOK);
    });
    doc.RunOperation(OP_ZERO_PAD);
    EXPECT_EQ(doc.m_TimeData.m_dFs, 2.0);
    doc.Undo();
    doc.Redo();
    EXPECT_EQ(doc.m_TimeData.GetCount(), 7);
    EXPECT_EQ(doc.m_TimeData.m_dFs, 1.0);
}

TEST_F(UndoRedo, SamplingFrequencyAndSquareRootTakeNoSnapshot) {
    Generate(4);
    platform.OnDialog<CSampRate>([](CSampRate& d) {
        d.SimulateText(CSampRate::IDC_FS_VALUE, "48");
        d.SimulateSelect(CSampRate::IDC_UNIT_LIST, 1);
        d.SimulateClick(IDOK);
    });
    view->updates.clear();
    CCommandTable::Execute(doc, CCommandTable::ID_SAMPLING_FREQ);
    EXPECT_EQ(doc.m_Fs.m_dValue, 48.0);
    EXPECT_EQ(doc.m_Fs.GetUnit(), 1);
    EXPECT_EQ(doc.m_TimeData.m_dFs, 48.0);
    EXPECT_EQ(doc.m_FreqData.m_Fs.GetFreqUnitName(), "kHz");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view->updates.size(), 2u);
    EXPECT_EQ(doc.UndoCount(), 2u);
    doc.Undo();
    EXPECT_EQ(doc.m_Fs.m_dValue, 1.0);

    // A cancelled dialog leaves the project's value alone.
    platform.CancelDialog();
    CCommandTable::Execute(doc, CCommandTable::ID_SAMPLING_FREQ);
    EXPECT_EQ(doc.m_Fs.m_dValue, 1.0);

    doc.m_FreqData.Inphase().Append(-4.0);
    doc.m_FreqData.Quadrature().Append(0.0);
    doc.SetModified(false);
    ASSERT_TRUE(CCommandTable::Execute(doc, CCommandTable::ID_FREQ_SQUARE_ROOT));
    EXPECT_NEAR(doc.m_FreqData.Quadrature()[0], 2.0, 1e-12);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.UndoCount(), 1u);
}

// Snapshots hold the columns by reference: an operation copies only the
// columns it writes, once, and undo and redo bring back the very values the
// snapshot holds without copying them.
TEST_F(UndoRedo, SnapshotsShareTheColumnsThatDidNotChange) {
    Generate(4096);
    for (int i = 0; i < 3000; ++i) {
        doc.m_FreqData.Inphase().Append(i);
        doc.m_FreqData.Quadrature().Append(-i);
    }
    doc.m_FreqData.ResetRange();
    const double* freqI = doc.m_FreqData.Inphase().GetData();
    const double* freqQ = doc.m_FreqData.Quadrature().GetData();
    const double* time0 = doc.m_TimeData.Inphase().GetData();
    const double generated = doc.m_TimeData.Inphase()[7];

    ScaleBy("2");
    const double* time1 = doc.m_TimeData.Inphase().GetData();
    EXPECT_NE(time1, time0);  // written: a copy of its own
    EXPECT_EQ(doc.m_FreqData.Inphase().GetData(), freqI);  // not written: still the same values
    EXPECT_EQ(doc.m_FreqData.Quadrature().GetData(), freqQ);
    EXPECT_TRUE(doc.m_FreqData.Inphase().IsShared());
    EXPECT_TRUE(doc.m_TimeData.Inphase().IsShared());  // with the new snapshot
    ScaleBy("3");
    const double* time2 = doc.m_TimeData.Inphase().GetData();
    EXPECT_EQ(doc.m_FreqData.Inphase().GetData(), freqI);

    // The snapshot of the current state holds the bytes of the project file.
    CSnapshotFile& current = doc.UndoSnapshot(0);
    std::vector<uint8_t> bytes(current.GetLength());
    current.SeekToBegin();
    ASSERT_EQ(current.Read(bytes.data(), bytes.size()), bytes.size());
    EXPECT_EQ(bytes, test::Store(doc));
    EXPECT_LT(current.OwnBytes(), 4096u);

    doc.Undo();
    EXPECT_EQ(doc.m_TimeData.Inphase().GetData(), time1);
    EXPECT_EQ(doc.m_TimeData.Inphase()[7], 2 * generated);
    EXPECT_EQ(doc.m_FreqData.Inphase().GetData(), freqI);
    doc.Undo();
    EXPECT_EQ(doc.m_TimeData.Inphase().GetData(), time0);
    EXPECT_EQ(doc.m_TimeData.Inphase()[7], generated);
    doc.Redo();
    doc.Redo();
    EXPECT_EQ(doc.m_TimeData.Inphase().GetData(), time2);
    EXPECT_EQ(doc.m_TimeData.Inphase()[7], 6 * generated);
    EXPECT_EQ(doc.m_FreqData.Quadrature()[2999], -2999.0);

    // Changing the restored data copies it; the snapshots keep their values.
    doc.Undo();
    ScaleBy("5");
    EXPECT_NE(doc.m_TimeData.Inphase().GetData(), time1);
    EXPECT_EQ(doc.m_TimeData.Inphase()[7], 10 * generated);
    doc.Undo();
    EXPECT_EQ(doc.m_TimeData.Inphase()[7], 2 * generated);
    EXPECT_EQ(doc.m_TimeData.Inphase().GetData(), time1);
}

}  // namespace
}  // namespace kv
