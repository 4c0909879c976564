#include <gtest/gtest.h>

#include <cmath>

#include "data/CRefDlg.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

TEST(RefDlg, OffsetsAndLabelsOfEachReferenceType) {
    CRefDlg r;
    EXPECT_FLOAT_EQ(r.DbOffset(100.0), -20.0f);
    EXPECT_EQ(r.DbLabel(), "dBc");
    // Type 0 with no peak falls back to type 1, without the real-sine correction.
    r.m_nRefWaveform = 1;
    EXPECT_FLOAT_EQ(r.DbOffset(0.0), static_cast<float>(20.0 * std::log10(2.0)));
    r.m_nRefWaveform = 0;
    r.m_nRefType = 1;
    EXPECT_FLOAT_EQ(r.DbOffset(5.0), static_cast<float>(20.0 * std::log10(2.0)));
    EXPECT_EQ(r.DbLabel(), "dBm");
    r.m_nRefType = 2;
    r.m_fVolts = 2.0f;
    EXPECT_FLOAT_EQ(r.DbOffset(5.0), static_cast<float>(10.0 * std::log10(1.0 / 100.0) + 30.0));
    EXPECT_EQ(r.DbLabel(), "dBm");
    r.m_nRefType = 3;
    EXPECT_FLOAT_EQ(r.DbOffset(5.0), static_cast<float>(-20.0 * std::log10(32767.0)));
    EXPECT_EQ(r.DbLabel(), "dBFS");
    r.m_nRefWaveform = 1;  // real sine adds about 6.02 dB
    EXPECT_FLOAT_EQ(r.DbOffset(5.0),
                    static_cast<float>(-20.0 * std::log10(32767.0) - 20.0 * std::log10(0.5)));
    r.m_nRefType = 7;
    r.m_nRefWaveform = 0;
    EXPECT_EQ(r.DbOffset(5.0), 0.0f);
    EXPECT_EQ(r.DbLabel(), "");
}

TEST(RefDlg, DialogShowsMembersAndRefusesText) {
    test::CScriptedPlatform platform;
    CRefDlg r;
    r.m_nRefType = 2;
    r.m_fVolts = 0.5f;
    platform.OnDialog<CRefDlg>([](CRefDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(CRefDlg::IDC_VOLTS), "0.5");
        EXPECT_EQ(d.GetDlgItemText(CRefDlg::IDC_FULLSCALE), "32767");
        EXPECT_EQ(d.GetDlgItemText(CRefDlg::IDC_MIN_DB), "-130");
        EXPECT_EQ(d.IsDlgButtonChecked(CRefDlg::IDC_REF_VOLTS), 1);
        d.SimulateText(CRefDlg::IDC_MIN_DB, "low");
        d.SimulateClick(IDOK);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(d.FocusRequest(), CRefDlg::IDC_MIN_DB);
        d.SimulateText(CRefDlg::IDC_MIN_DB, " -90 ");
        d.SimulateClick(CRefDlg::IDC_REF_FULLSCALE);
        d.SimulateClick(CRefDlg::IDC_WAVE_REAL);
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(RunDialog(r));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Enter a number.");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(platform.dialogTitles, std::vector<std::string>{"Decibel Options"});
    EXPECT_EQ(r.m_fMinDb, -90.0f);
    EXPECT_EQ(r.m_nRefType, 3);
    EXPECT_EQ(r.m_nRefWaveform, 1);
}

TEST(RefDlg, CancelKeepsTheMembers) {
    test::CScriptedPlatform platform;
    CRefDlg r;
    platform.OnDialog<CRefDlg>([](CRefDlg& d) {
        d.SimulateText(CRefDlg::IDC_MIN_DB, "-50");
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(RunDialog(r));
    EXPECT_EQ(r.m_fMinDb, -130.0f);
}

}  // namespace
}  // namespace kv
