#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <new>
#include <vector>

#include "data/CKalvoData.h"
#include "data/CRefDlg.h"
#include "data/SignalOperations.h"
#include "dsp/MixedRadixFft.h"
#include "platform/StringTable.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

using Values = std::vector<double>;

void Fill(CKalvoData& d, const Values& re, const Values& im, bool time = true, double fs = 10.0) {
    d.Reset();
    d.m_bTime = time ? 1 : 0;
    for (double v : re) d.Inphase().Append(v);
    for (double v : im) d.Quadrature().Append(v);
    d.m_bReal = 0;
    d.ResetRange();
    CFs f(fs);
    d.ApplyFs(f);
}

Values Col(const CDataColumn& c) { return Values(c.begin(), c.end()); }

TEST(Scale, MultipliesAndAsksBeforeClearing) {
    test::CScriptedPlatform p;
    CKalvoData d;
    Fill(d, {1, -2}, {3, 4});
    EXPECT_TRUE(Scale(d, 2.0));
    EXPECT_EQ(Col(d.Inphase()), (Values{2, -4}));
    EXPECT_EQ(Col(d.Quadrature()), (Values{6, 8}));
    // Real data keeps its Quadrature column untouched.
    d.m_bReal = 1;
    EXPECT_TRUE(Scale(d, 0.5));
    EXPECT_EQ(Col(d.Inphase()), (Values{1, -2}));
    EXPECT_EQ(Col(d.Quadrature()), (Values{6, 8}));
    EXPECT_TRUE(p.messages.empty());
    // A linear 0.0 asks first (warning, Yes/No); No changes nothing.
    p.AnswerNo();
    EXPECT_FALSE(Scale(d, 0.0));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "Scale value is 0.0 (linear).\nTherefore, scaling will clear all data.\nScale anyway?");
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(p.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(Col(d.Inphase()), (Values{1, -2}));
    p.AnswerYes();
    EXPECT_TRUE(Scale(d, 0.0));
    EXPECT_EQ(Col(d.Inphase()), (Values{0, 0}));
}

TEST(Mix, ShiftsTheSpectrumAndMakesDataComplex) {
    test::CScriptedPlatform p;
    const int n = 64;
    const double fs = 64.0, f0 = 5.0, f = 12.0;
    Values re(n), im(n, 0.0);
    for (int i = 0; i < n; ++i) re[i] = std::cos(6.283185307179586 * f0 * i / fs);
    CKalvoData d;
    Fill(d, re, im, true, fs);
    d.DetectReal();
    ASSERT_TRUE(d.IsReal());
    ASSERT_TRUE(Mix(d, f, 0.0));
    EXPECT_FALSE(d.IsReal());
    // cos(w0 t) e^(j w t): peaks at f0 + f = 17 and -f0 + f = 7 only.
    Values outRe(n), outIm(n);
    MixedRadixFft(n, 1.0f / n, d.Inphase().GetData(), d.Quadrature().GetData(), outRe.data(), outIm.data());
    for (int k = 0; k < n; ++k) {
        const double mag = std::hypot(outRe[k], outIm[k]);
        if (k == 17 || k == 7)
            EXPECT_NEAR(mag, 0.5, 1e-6) << k;
        else
            EXPECT_LT(mag, 1e-6) << k;
    }
    // The phase is the starting phase of the oscillator.
    Fill(d, {1.0}, {0.0}, true, fs);
    ASSERT_TRUE(Mix(d, f, 3.141592653589793 / 2));
    EXPECT_NEAR(d.Inphase()[0], 0.0, 1e-15);
    EXPECT_NEAR(d.Quadrature()[0], 1.0, 1e-15);
    EXPECT_TRUE(p.messages.empty());
}

TEST(Mix, RefusesDataWithoutSamplingFrequency) {
    test::CScriptedPlatform p;
    CKalvoData d;
    Fill(d, {1, 2}, {0, 0}, true, 0.0);
    EXPECT_FALSE(Mix(d, 1.0, 0.0));
    EXPECT_EQ(Col(d.Inphase()), (Values{1, 2}));
    EXPECT_EQ(Col(d.Quadrature()), (Values{0, 0}));
    EXPECT_EQ(p.MessageTexts(), std::vector<std::string>{LoadString(IDS_MIX_NO_SAMPLING_FREQUENCY)});
}

TEST(SimpleOperations, RectifyRemoveDcConjugateSquareRoot) {
    CKalvoData d;
    Fill(d, {-1, 3}, {2, -5});
    Rectify(d);
    EXPECT_EQ(Col(d.Inphase()), (Values{1, 3}));
    EXPECT_EQ(Col(d.Quadrature()), (Values{2, 5}));
    Conjugate(d);
    EXPECT_EQ(Col(d.Quadrature()), (Values{-2, -5}));
    RemoveDc(d);
    EXPECT_EQ(Col(d.Inphase()), (Values{-1, 1}));
    EXPECT_EQ(Col(d.Quadrature()), (Values{1.5, -1.5}));
    Fill(d, {-4, 3, 0}, {0, 4, 0});
    SquareRoot(d);
    EXPECT_NEAR(d.Inphase()[0], 0.0, 1e-15);  // 2 cos(pi / 2)
    EXPECT_DOUBLE_EQ(d.Quadrature()[0], 2.0);
    EXPECT_DOUBLE_EQ(d.Inphase()[1], 2.0);
    EXPECT_DOUBLE_EQ(d.Quadrature()[1], 1.0);
    EXPECT_EQ(d.Inphase()[2], 0.0);
    // Empty data: nothing to do, nothing breaks.
    CKalvoData empty;
    RemoveDc(empty);
    Rectify(empty);
    SquareRoot(empty);
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(ZeroStuff, SpreadsThePoints) {
    CKalvoData d;
    Fill(d, {1, 2, 3, 4}, {5, 6, 7, 8}, true, 10.0);
    ZeroStuff(d, 1, true);
    EXPECT_EQ(Col(d.Inphase()), (Values{1, 0, 2, 0, 3, 0, 4}));
    EXPECT_EQ(Col(d.Quadrature()), (Values{5, 0, 6, 0, 7, 0, 8}));
    EXPECT_DOUBLE_EQ(d.GetFs(), 20.0);
    Fill(d, {1, 2, 3}, {0, 0, 0}, true, 10.0);
    ZeroStuff(d, 3, false);
    EXPECT_EQ(Col(d.Inphase()), (Values{1, 0, 0, 0, 2, 0, 0, 0, 3}));
    EXPECT_DOUBLE_EQ(d.GetFs(), 10.0);
    // A single point stays alone, but the sampling frequency still grows.
    Fill(d, {9}, {1}, true, 10.0);
    ZeroStuff(d, 2, true);
    EXPECT_EQ(Col(d.Inphase()), (Values{9}));
    EXPECT_DOUBLE_EQ(d.GetFs(), 30.0);
    ZeroStuff(d, 0, true);
    ZeroStuff(d, -3, true);
    EXPECT_DOUBLE_EQ(d.GetFs(), 30.0);
}

TEST(ZeroStuff, TooLongAResultChangesNothing) {
    CKalvoData d;
    Fill(d, {1, 2, 3}, {4, 5, 6});
    EXPECT_THROW(ZeroStuff(d, std::numeric_limits<int32_t>::max() / 2, true), std::bad_alloc);
    EXPECT_EQ(Col(d.Inphase()), (Values{1, 2, 3}));
    EXPECT_DOUBLE_EQ(d.GetFs(), 10.0);
    EXPECT_THROW(ZeroPadBack(d, std::numeric_limits<int32_t>::max()), std::bad_alloc);
    EXPECT_THROW(Pad(d, std::numeric_limits<int32_t>::max() / 2, 0.0, 0.0, 0.0), std::bad_alloc);
    EXPECT_EQ(Col(d.Quadrature()), (Values{4, 5, 6}));
}

TEST(ZeroPad, FrontAndBack) {
    CKalvoData d;
    Fill(d, {1, 2}, {3, 4});
    ZeroPadFront(d, 2);
    EXPECT_EQ(Col(d.Inphase()), (Values{0, 0, 1, 2}));
    EXPECT_EQ(Col(d.Quadrature()), (Values{0, 0, 3, 4}));
    Fill(d, {1, 2}, {3, 4});
    ZeroPadBack(d, 2);
    EXPECT_EQ(Col(d.Inphase()), (Values{1, 2, 0, 0}));
    EXPECT_EQ(Col(d.Quadrature()), (Values{3, 4, 0, 0}));
    ZeroPadFront(d, 0);
    ZeroPadBack(d, -1);
    EXPECT_EQ(d.GetCount(), 4);
    EXPECT_DOUBLE_EQ(d.GetFs(), 10.0);
}

TEST(Pad, InsertsSymmetricallyAboutDc) {
    CKalvoData d;
    // DC: one pad at each end, DC moves up by n.
    Fill(d, {1, 2, 3, 4}, {5, 6, 7, 8}, false, 8.0);
    Pad(d, 1, 0.0, 9.0, -9.0);
    EXPECT_EQ(Col(d.Inphase()), (Values{9, 1, 2, 3, 4, 9}));
    EXPECT_EQ(Col(d.Quadrature()), (Values{-9, 5, 6, 7, 8, -9}));
    EXPECT_EQ(d.m_nCount, 6);
    // Bin 1 of 8 (x = 1 with spacing 1): after stored bin 1, before stored bin 7.
    Fill(d, {0, 1, 2, 3, 4, 5, 6, 7}, Values(8, 0.0), false, 8.0);
    const double step = d.m_dStep;
    Pad(d, 2, -1.0, 9.0, 0.0);
    EXPECT_EQ(Col(d.Inphase()), (Values{0, 1, 9, 9, 2, 3, 4, 5, 6, 9, 9, 7}));
    EXPECT_EQ(d.m_dStep, step);  // the spacing stays
    // The highest bin (Fs/2) sits between the pads.
    Fill(d, {0, 1, 2, 3, 4, 5, 6, 7}, Values(8, 0.0), false, 8.0);
    Pad(d, 1, 4.0, 9.0, 0.0);
    EXPECT_EQ(Col(d.Inphase()), (Values{0, 1, 2, 3, 9, 4, 9, 5, 6, 7}));
    // "Multiple of current size" with quantity 2 on 64 bins pads 32 a side.
    Fill(d, Values(64, 1.0), Values(64, 0.0), false, 64.0);
    Pad(d, 32, 16.0, 0.0, 0.0);
    EXPECT_EQ(d.GetCount(), 128);
    EXPECT_EQ(d.m_nCount, 128);
    // A single bin has only DC: pads go to both ends.
    Fill(d, {5}, {6}, false, 8.0);
    Pad(d, 1, 3.0, 0.0, 0.0);
    EXPECT_EQ(Col(d.Inphase()), (Values{0, 5, 0}));
}

TEST(UpdateDbReference, FollowsTheReferenceType) {
    CRefDlg ref;
    CKalvoData f;
    Fill(f, {}, {}, false);
    f.m_dDbOffset = 99.0;
    UpdateDbReference(f, ref);  // empty: peak 1.0, offset 0
    EXPECT_EQ(f.m_dDbOffset, 0.0);
    EXPECT_EQ(f.m_strDbLabel, "dBc");
    Fill(f, {3, 0, 0, 0}, {0, 0, 0, 0}, false);  // only DC: peak 0, type 1's offset
    UpdateDbReference(f, ref);
    EXPECT_NEAR(f.m_dDbOffset, 20.0 * std::log10(2.0), 1e-6);
    Fill(f, {0, 2, 0, 0}, {0, 0, 0, 0}, false);
    ref.m_nRefType = 3;
    ref.m_fFullScale = 10.0f;
    ref.m_fMinDb = -90.0f;
    UpdateDbReference(f, ref);
    EXPECT_NEAR(f.m_dDbOffset, -20.0, 1e-6);
    EXPECT_EQ(f.m_strDbLabel, "dBFS");
    EXPECT_EQ(f.m_fMinDb, -90.0f);
}

}  // namespace
}  // namespace kv
