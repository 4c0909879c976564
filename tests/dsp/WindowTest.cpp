#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "data/CKalvoData.h"
#include "dsp/CWndDlg.h"
#include "dsp/MixedRadixFft.h"
#include "dsp/WindowFunctions.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

using Values = std::vector<double>;

void ExpectWeights(const Values& got, const Values& want, double tol = 1e-12) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], tol) << "weight " << i;
}

TEST(WindowWeights, ShortWindowsOfTheFormulas) {
    ExpectWeights(WindowWeights(CWndDlg::kHanning, 5, 0), {0, 0.5, 1, 0.5, 0});
    ExpectWeights(WindowWeights(CWndDlg::kHamming, 5, 0), {0.08, 0.54, 1.0, 0.54, 0.08});
    const double end4 = 0.35875 - 0.48829 + 0.14128 - 0.01168;
    ExpectWeights(WindowWeights(CWndDlg::kBlackmanHarris4, 5, 0), {end4, 0.35875 - 0.14128, 1.0, 0.35875 - 0.14128, end4}, 1e-12);
    EXPECT_NEAR(end4, 0.00006, 1e-12);
    const Values bh7 = WindowWeights(CWndDlg::kBlackmanHarris7, 7, 0);
    EXPECT_NEAR(bh7[3], 1.0, 1e-9);
    EXPECT_NEAR(bh7[0], bh7[6], 1e-15);
    EXPECT_NEAR(bh7[0], 0.271051400693424 - 0.433297939234485 + 0.21812299954311 - 0.065925446388031 +
                            0.010811742098371 - 0.000776584825226 + 0.000013887217352,
                1e-15);
    const double g = std::exp(-6.125);
    ExpectWeights(WindowWeights(CWndDlg::kGaussian, 3, 0), {g, 1, g});
    const double i0 = BesselI0(3.141592653589793 * 4.0, 1e-20);
    const Values kb = WindowWeights(CWndDlg::kKaiserBessel, 5, 4.0);
    EXPECT_NEAR(kb[0], 1.0 / i0, 1e-15);
    EXPECT_NEAR(kb[4], 1.0 / i0, 1e-15);
    EXPECT_DOUBLE_EQ(kb[2], 1.0);
    EXPECT_NEAR(kb[1], BesselI0(3.141592653589793 * 4.0 * std::sqrt(0.75), 1e-20) / i0, 1e-15);
    // Unknown types act as Blackman-Harris four-term.
    ExpectWeights(WindowWeights(0, 5, 0), WindowWeights(CWndDlg::kBlackmanHarris4, 5, 0), 0);
    ExpectWeights(WindowWeights(99, 5, 0), WindowWeights(CWndDlg::kBlackmanHarris4, 5, 0), 0);
}

TEST(WindowWeights, FewerThanTwoPointsHaveWeightOne) {
    for (int type = 1; type <= 7; ++type) {
        ExpectWeights(WindowWeights(type, 1, type == 1 ? 40.0 : 4.0), {1.0}, 0);
        EXPECT_TRUE(WindowWeights(type, 0, 4.0).empty());
        const Values two = WindowWeights(type, 2, type == 1 ? 40.0 : 4.0);
        for (double v : two) EXPECT_TRUE(std::isfinite(v)) << type;
    }
}

TEST(BesselI0, PowerSeries) {
    EXPECT_EQ(BesselI0(0.0, 1e-20), 1.0);
    EXPECT_NEAR(BesselI0(1.0, 1e-20), 1.2660658777520082, 1e-15);
    EXPECT_NEAR(BesselI0(10.0, 1e-20), 2815.716628466254, 1e-9);
    EXPECT_NEAR(BesselI0(-2.0, 1e-20), 2.2795853023360673, 1e-14);
    // Beyond the range of doubles the sum ends instead of running on.
    EXPECT_TRUE(std::isinf(BesselI0(1e4, 1e-20)));
    EXPECT_TRUE(std::isnan(BesselI0(std::nan(""), 1e-20)));
}

TEST(WindowWeights, KaiserWithHugeAlphaStaysFinite) {
    const Values w = WindowWeights(CWndDlg::kKaiserBessel, 101, 400.0);  // I0(pi * 400) overflows
    EXPECT_DOUBLE_EQ(w[50], 1.0);
    for (size_t i = 0; i < w.size(); ++i) {
        EXPECT_TRUE(std::isfinite(w[i])) << i;
        EXPECT_NEAR(w[i], w[100 - i], 1e-12);
    }
    EXPECT_LT(w[0], 1e-300);
    // Reference values of I0(y) / I0(b) computed to 40 digits.
    EXPECT_NEAR(w[40] / 9.506770099625847e-12, 1.0, 1e-9);
    EXPECT_NEAR(w[45] / 1.8428182544748833e-3, 1.0, 1e-9);
}

// Highest sidelobe below the main lobe (dB), from the zero-padded spectrum.
double SidelobeLevel(const Values& w, int oversample) {
    const int64_t n = static_cast<int64_t>(w.size()), len = n * oversample;
    Values re(len, 0.0), im(len, 0.0), outRe(len), outIm(len);
    std::copy(w.begin(), w.end(), re.begin());
    ChirpDft(len, re.data(), im.data(), outRe.data(), outIm.data());
    auto mag = [&](int64_t k) { return std::hypot(outRe[k], outIm[k]); };
    int64_t k = 0;
    while (k + 1 < len / 2 && mag(k + 1) < mag(k)) ++k;  // down to the first null
    double side = 0;
    for (; k <= len / 2; ++k) side = std::max(side, mag(k));
    return 20.0 * std::log10(mag(0) / side);
}

TEST(DolphChebyshevWindow, SidelobesLieAtTheRequestedLevel) {
    const double expected = 20.0 * std::log10(1.0 + std::pow(10.0, 40.0 / 20.0));  // 40.087 dB
    const Values odd = DolphChebyshevWindow(31, 40.0);
    EXPECT_DOUBLE_EQ(odd[15], 1.0);
    for (int i = 0; i < 31; ++i) EXPECT_NEAR(odd[i], odd[30 - i], 1e-6) << i;
    EXPECT_NEAR(SidelobeLevel(odd, 64), expected, 0.02);
    const Values even = DolphChebyshevWindow(32, 40.0);
    EXPECT_DOUBLE_EQ(even[15], 1.0);
    EXPECT_DOUBLE_EQ(even[16], 1.0);
    for (int i = 0; i < 32; ++i) EXPECT_NEAR(even[i], even[31 - i], 1e-6) << i;
    EXPECT_NEAR(SidelobeLevel(even, 64), expected, 0.02);
    EXPECT_NEAR(SidelobeLevel(DolphChebyshevWindow(101, 80.0), 32),
                20.0 * std::log10(1.0 + std::pow(10.0, 4.0)), 0.05);
    // A gamma below 1 is a linear ratio: 0.01 is 40 dB.
    EXPECT_NEAR(SidelobeLevel(DolphChebyshevWindow(31, 0.01), 64), expected, 0.02);
}

TEST(DolphChebyshevWindow, LengthsTheFftRefusesStillWork) {
    // 10007 is a prime above the FFT's limit: the window comes from the chirp
    // transform instead.
    ASSERT_FALSE(FftLengthSupported(10007));
    const Values w = DolphChebyshevWindow(10007, 40.0);
    ASSERT_EQ(w.size(), 10007u);
    EXPECT_DOUBLE_EQ(w[5003], 1.0);
    for (int i = 0; i < 10007; i += 101) EXPECT_NEAR(w[i], w[10006 - i], 1e-9) << i;
    EXPECT_NEAR(SidelobeLevel(w, 8), 20.0 * std::log10(101.0), 0.1);
    // Degenerate parameters give no attenuation rather than NaN.
    for (double v : DolphChebyshevWindow(9, 0.0)) EXPECT_EQ(v, 1.0);
}

void Fill(CKalvoData& d, const Values& re, const Values& im, bool real) {
    d.Reset();
    for (double v : re) d.Inphase().Append(v);
    for (double v : im) d.Quadrature().Append(v);
    d.m_bReal = real ? 1 : 0;
    d.ResetRange();
}

TEST(ApplyWindow, WeightsTheWorkingRangeOnly) {
    CKalvoData d;
    Fill(d, Values(10, 2.0), Values(10, 3.0), false);
    ASSERT_TRUE(d.SetRangeByIndex(2, 8, true));  // 7 points
    ApplyWindow(d, CWndDlg::kHanning, 0.0);
    const Values w = WindowWeights(CWndDlg::kHanning, 7, 0.0);
    for (int i = 0; i < 10; ++i) {
        const double weight = i >= 2 && i <= 8 ? w[i - 2] : 1.0;
        EXPECT_DOUBLE_EQ(d.Inphase()[i], 2.0 * weight) << i;
        EXPECT_DOUBLE_EQ(d.Quadrature()[i], 3.0 * weight) << i;
    }
    EXPECT_EQ(d.m_nWindow, CWndDlg::kHanning);
    // Real data keeps its Quadrature column.
    Fill(d, Values(5, 1.0), Values(5, 7.0), true);
    ApplyWindow(d, CWndDlg::kHamming, 0.0);
    EXPECT_DOUBLE_EQ(d.Inphase()[0], 0.08);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(d.Quadrature()[i], 7.0);
    // One point, or none: unchanged values, marker set.
    Fill(d, {4.0}, {1.0}, false);
    ApplyWindow(d, CWndDlg::kDolphChebyshev, 40.0);
    EXPECT_EQ(d.Inphase()[0], 4.0);
    EXPECT_EQ(d.m_nWindow, CWndDlg::kDolphChebyshev);
    CKalvoData empty;
    ApplyWindow(empty, CWndDlg::kGaussian, 0.0);
    EXPECT_EQ(empty.m_nWindow, CWndDlg::kGaussian);
}

TEST(WindowTimeData, AsksBeforeWindowingTwice) {
    test::CScriptedPlatform p;
    CKalvoData d;
    CWndDlg dlg;
    Fill(d, Values(5, 1.0), Values(5, 0.0), true);
    p.OnDialog<CWndDlg>([](CWndDlg& w) {
        EXPECT_EQ(w.GetCheckedRadioButton(CWndDlg::IDC_DOLPH_CHEBYSHEV), 2);  // default type 3
        w.SimulateClick(CWndDlg::IDC_HANNING);
        w.SimulateClick(IDOK);
    });
    EXPECT_TRUE(WindowTimeData(d, dlg));
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(dlg.m_nWindowType, CWndDlg::kHanning);
    EXPECT_EQ(d.m_nWindow, CWndDlg::kHanning);
    EXPECT_DOUBLE_EQ(d.Inphase()[2], 1.0);
    EXPECT_DOUBLE_EQ(d.Inphase()[1], 0.5);
    EXPECT_EQ(p.statusTexts.back(), "Windowing Time Data...");
    EXPECT_EQ(p.waitCursorDepth, 0);
    EXPECT_EQ(p.waitCursorCount, 1);
    // The second time the question comes; No changes nothing.
    p.AnswerNo();
    EXPECT_FALSE(WindowTimeData(d, dlg));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "The time data has already been windowed.  Window again?");
    EXPECT_EQ(p.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_DOUBLE_EQ(d.Inphase()[1], 0.5);
    // Yes, then Cancel in the dialog: still nothing.
    p.AnswerYes();
    p.CancelDialog();
    EXPECT_FALSE(WindowTimeData(d, dlg));
    EXPECT_DOUBLE_EQ(d.Inphase()[1], 0.5);
    EXPECT_EQ(p.unansweredQuestions, 0);
    EXPECT_EQ(p.PendingDialogScripts(), 0u);
}

TEST(WindowTimeData, ParameterChecksCancel) {
    test::CScriptedPlatform p;
    CKalvoData d;
    CWndDlg dlg;
    Fill(d, Values(5, 1.0), Values(5, 0.0), true);
    p.OnDialog<CWndDlg>([](CWndDlg& w) {
        w.SimulateText(CWndDlg::IDC_GAMMA, "0.5");
        w.SimulateFocus(CWndDlg::IDC_GAMMA);  // selects Dolph-Chebyshev
        w.SimulateClick(IDOK);
    });
    EXPECT_FALSE(WindowTimeData(d, dlg));
    EXPECT_EQ(p.MessageTexts(), std::vector<std::string>{"Gamma must be 1.0 or greater."});
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(dlg.m_nWindowType, CWndDlg::kDolphChebyshev);  // the type is kept
    EXPECT_EQ(d.m_nWindow, -1);
    EXPECT_EQ(d.Inphase()[0], 1.0);
    p.OnDialog<CWndDlg>([](CWndDlg& w) {
        EXPECT_EQ(w.GetCheckedRadioButton(CWndDlg::IDC_DOLPH_CHEBYSHEV), 0);
        w.SimulateText(CWndDlg::IDC_ALPHA, "0");
        w.SimulateFocus(CWndDlg::IDC_ALPHA);  // selects Kaiser-Bessel
        w.SimulateClick(IDOK);
    });
    EXPECT_FALSE(WindowTimeData(d, dlg));
    EXPECT_EQ(p.messages.back().text, "Alpha must be greater than 0.0.");
    EXPECT_EQ(dlg.m_nWindowType, CWndDlg::kKaiserBessel);
    // A field that is not a number keeps the dialog open.
    p.OnDialog<CWndDlg>([](CWndDlg& w) {
        w.SimulateText(CWndDlg::IDC_ALPHA, "x");
        w.SimulateClick(IDOK);
        EXPECT_FALSE(w.IsEnded());
        EXPECT_EQ(w.FocusRequest(), CWndDlg::IDC_ALPHA);
        w.SimulateText(CWndDlg::IDC_ALPHA, "2.5");
        w.SimulateClick(IDOK);
    });
    EXPECT_TRUE(WindowTimeData(d, dlg));
    EXPECT_EQ(p.messages.back().text, "Enter a number.");
    EXPECT_EQ(dlg.m_fAlpha, 2.5f);
    EXPECT_EQ(d.m_nWindow, CWndDlg::kKaiserBessel);
    EXPECT_DOUBLE_EQ(d.Inphase()[2], 1.0);
}

TEST(CWndDlg, SerializesTheWindowRecord) {
    CWndDlg dlg;
    dlg.m_nWindowType = 6;
    dlg.m_fAlpha = 2.5f;
    dlg.m_fGamma = 60.0f;
    CMemFile file;
    {
        CArchive ar(file, CArchive::Mode::Store);
        dlg.Serialize(ar, 20);
        dlg.Serialize(ar, 9);
        ar.Close();
    }
    ASSERT_EQ(file.GetLength(), 10u + 6u);
    const unsigned char* b = file.Data();
    EXPECT_EQ(b[0], 6);
    EXPECT_EQ(b[1], 0);
    file.SeekToBegin();
    CArchive ar(file, CArchive::Mode::Load);
    CWndDlg a, old;
    a.Serialize(ar, 20);
    EXPECT_EQ(a.m_nWindowType, 6);
    EXPECT_EQ(a.m_fAlpha, 2.5f);
    EXPECT_EQ(a.m_fGamma, 60.0f);
    old.m_fGamma = 3.0f;
    old.Serialize(ar, 9);  // no gamma before version 10
    EXPECT_EQ(old.m_nWindowType, 6);
    EXPECT_EQ(old.m_fGamma, 40.0f);
    EXPECT_EQ(ar.Remaining(), 0u);
}

TEST(CWndDlg, DamagedTypeShowsAsBlackmanHarris) {
    test::CScriptedPlatform p;
    CWndDlg dlg;
    dlg.m_nWindowType = 65535;
    p.OnDialog<CWndDlg>([](CWndDlg& w) {
        EXPECT_EQ(w.GetCheckedRadioButton(CWndDlg::IDC_DOLPH_CHEBYSHEV), 2);
        w.SimulateClick(IDOK);
    });
    EXPECT_TRUE(RunDialog(dlg));
    EXPECT_EQ(dlg.m_nWindowType, CWndDlg::kBlackmanHarris4);
    EXPECT_EQ(dlg.WindowParameter(), 0.0);
}

// An unknown type acts as the four-term Blackman-Harris; the marker the
// data keeps says so instead of keeping the unknown number.
TEST(ApplyWindow, UnknownTypeIsMarkedAsTheWindowItActsAs) {
    for (int32_t type : {0, 8, 65535}) {
        CKalvoData d;
        Fill(d, Values(9, 1.0), Values(9, 0.0), true);
        ApplyWindow(d, type, 0.0);
        EXPECT_EQ(d.m_nWindow, CWndDlg::kBlackmanHarris4) << type;
        const Values bh4 = WindowWeights(CWndDlg::kBlackmanHarris4, 9, 0.0);
        for (int i = 0; i < 9; ++i) EXPECT_EQ(d.Inphase()[i], bh4[static_cast<size_t>(i)]);
    }
}

TEST(CWndDlg, ADialogLeftWithoutASelectedWindowGivesARealType) {
    // Before, no selected button made type 0, and the data windowed with it
    // kept the marker 0, which names no window.
    test::CScriptedPlatform p;
    CKalvoData d;
    Fill(d, Values(9, 1.0), Values(9, 0.0), true);
    CWndDlg dlg;
    dlg.m_nWindowType = 65535;  // from a damaged project
    p.OnDialog<CWndDlg>([](CWndDlg& w) {
        w.CheckRadioButton(CWndDlg::IDC_DOLPH_CHEBYSHEV, -1);
        ASSERT_EQ(w.GetCheckedRadioButton(CWndDlg::IDC_DOLPH_CHEBYSHEV), -1);
        w.SimulateClick(IDOK);
    });
    EXPECT_TRUE(WindowTimeData(d, dlg));
    EXPECT_EQ(dlg.m_nWindowType, CWndDlg::kBlackmanHarris4);
    EXPECT_EQ(d.m_nWindow, CWndDlg::kBlackmanHarris4);
}

TEST(CWndDlg, DamagedMarkerOfAProjectReadsAsTheWindowItActsAs) {
    for (int16_t stored : {int16_t{9}, int16_t{0}, int16_t{5}, int16_t{-7}}) {
        CKalvoData d;
        Fill(d, Values(4, 1.0), Values(4, 0.0), true);
        d.m_nWindow = stored;
        CMemFile file;
        {
            CArchive ar(file, CArchive::Mode::Store);
            d.Serialize(ar, 20);
            ar.Close();
        }
        file.SeekToBegin();
        CArchive ar(file, CArchive::Mode::Load);
        CKalvoData back;
        back.Serialize(ar, 20);
        const int32_t expected = stored < 0 ? -1 : (stored >= 1 && stored <= 7 ? stored : 3);
        EXPECT_EQ(back.m_nWindow, expected) << stored;
    }
}

TEST(CWndDlg, GammaBeyondThePrecisionOfTheWindowGetsANote) {
    // Dolph-Chebyshev sidelobes bottom out near -162 dB however much is asked.
    const std::vector<double> w = DolphChebyshevWindow(1024, 200.0);
    std::vector<double> re(w), im(w.size(), 0.0), outRe(w.size()), outIm(w.size());
    ChirpDft(static_cast<int64_t>(w.size()), re.data(), im.data(), outRe.data(), outIm.data());
    double peak = 0.0, far = 0.0;
    for (size_t k = 0; k < w.size(); ++k) {
        const double m = std::hypot(outRe[k], outIm[k]);
        if (k == 0) peak = m;
        if (k >= 64 && k <= w.size() - 64) far = std::max(far, m);
    }
    EXPECT_GT(20 * std::log10(far / peak), -175.0) << "sidelobes deeper than double precision allows";

    test::CScriptedPlatform p;
    CWndDlg dlg;
    dlg.m_fGamma = 200.0f;
    std::vector<std::string> notes;
    p.OnDialog<CWndDlg>([&](CWndDlg& d) {
        notes.push_back(d.GetDlgItemText(CWndDlg::IDC_GAMMA_NOTE));
        d.SimulateText(CWndDlg::IDC_GAMMA, "120");
        notes.push_back(d.GetDlgItemText(CWndDlg::IDC_GAMMA_NOTE));
        d.SimulateText(CWndDlg::IDC_GAMMA, "151");
        notes.push_back(d.GetDlgItemText(CWndDlg::IDC_GAMMA_NOTE));
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(RunDialog(dlg));
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0], "Sidelobes stop near -160 dB (the limit of double precision): above 150 dB a larger gamma "
                        "only widens the main lobe.");
    EXPECT_EQ(notes[1], "");
    EXPECT_EQ(notes[2], notes[0]);
    EXPECT_EQ(dlg.m_fGamma, 151.0f);  // a note, not a refusal
    EXPECT_TRUE(p.messages.empty());
}

}  // namespace
}  // namespace kv
