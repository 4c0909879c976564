#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "data/CKalvoData.h"
#include "dsp/CTransOpt.h"
#include "dsp/MixedRadixFft.h"
#include "dsp/Transform.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

using Values = std::vector<double>;

void MakeTime(CKalvoData& d, const Values& re, const Values& im, bool real, double fs = 1000.0, int unit = 0) {
    d.Reset();
    d.m_bTime = 1;
    for (double v : re) d.Inphase().Append(v);
    for (double v : im) d.Quadrature().Append(v);
    d.m_bReal = real ? 1 : 0;
    d.ResetRange();
    CFs f(fs);
    f.SetUnit(unit);
    d.ApplyFs(f);
}

CKalvoData EmptyFrequency() {
    CKalvoData f;
    f.m_bTime = 0;
    f.ResetRange();
    return f;
}

Values Random(int n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Values v(n);
    for (double& x : v) x = u(gen);
    return v;
}

TEST(TransformLength, FollowsTheLengthType) {
    CKalvoData d;
    MakeTime(d, Values(1000, 1.0), Values(1000, 0.0), true);
    CTransOpt opt;
    EXPECT_EQ(TransformLength(d, opt), 1000);
    opt.m_nLengthType = CTransOpt::kMaxPowerOfTwo;
    EXPECT_EQ(TransformLength(d, opt), 512);
    opt.m_nLengthType = CTransOpt::kChosenLength;
    opt.m_nLength = 4096;
    EXPECT_EQ(TransformLength(d, opt), 1000);  // longer than the range: the range
    opt.m_nLength = 256;
    EXPECT_EQ(TransformLength(d, opt), 256);
    opt.m_nLengthType = 7;
    EXPECT_EQ(TransformLength(d, opt), 1000);
    ASSERT_TRUE(d.SetRangeByIndex(100, 199, true));
    opt.m_nLengthType = CTransOpt::kMaximum;
    EXPECT_EQ(TransformLength(d, opt), 100);
    CKalvoData empty;
    EXPECT_EQ(TransformLength(empty, opt), 0);
    EXPECT_FALSE(CanTransform(empty, opt));
    MakeTime(d, Values(3, 1.0), Values(3, 0.0), true);
    EXPECT_FALSE(CanTransform(d, opt));
    MakeTime(d, Values(4, 1.0), Values(4, 0.0), true);
    EXPECT_TRUE(CanTransform(d, opt));
}

TEST(RunTransform, TooShortARangeOffersTheOptions) {
    test::CScriptedPlatform p;
    CKalvoData t, f = EmptyFrequency();
    CTransOpt opt;
    MakeTime(t, {1, 2, 3}, {0, 0, 0}, true);
    p.CancelDialog();
    EXPECT_FALSE(RunTransform(opt, t, f));
    EXPECT_EQ(p.MessageTexts(), (std::vector<std::string>{"Minimum transform size is 4.", "Data was not transformed."}));
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(p.dialogTitles, std::vector<std::string>{"Fourier Transform Options"});
    EXPECT_TRUE(f.IsEmpty());
    // Accepting the dialog without a fix: four attempts, then give up.
    p.messages.clear();
    for (int i = 0; i < 4; ++i) p.AcceptDialog();
    EXPECT_FALSE(RunTransform(opt, t, f));
    EXPECT_EQ(p.messages.size(), 5u);
    EXPECT_EQ(p.messages.back().text, "Data was not transformed.");
    EXPECT_EQ(p.dialogTitles.size(), 5u);
    EXPECT_EQ(p.PendingDialogScripts(), 0u);
    EXPECT_TRUE(f.IsEmpty());
}

TEST(RunTransform, TheDialogCanFixTheLength) {
    test::CScriptedPlatform p;
    CKalvoData t, f = EmptyFrequency();
    CTransOpt opt;
    opt.m_nLengthType = CTransOpt::kChosenLength;
    opt.m_nLength = 2;
    MakeTime(t, Values(8, 1.0), Values(8, 0.0), true);
    p.OnDialog<CTransOpt>([](CTransOpt& d) {
        d.SimulateText(CTransOpt::IDC_LENGTH, "8");
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(RunTransform(opt, t, f));
    EXPECT_EQ(p.MessageTexts(), std::vector<std::string>{"Minimum transform size is 4."});
    EXPECT_EQ(f.GetCount(), 8);
    EXPECT_EQ(p.statusTexts.back(), "Transforming 8 points starting at 0.");
    EXPECT_EQ(p.waitCursorDepth, 0);
    EXPECT_GE(p.waitCursorCount, 1);
}

TEST(RunTransform, ShowOptionsFirstEvenIfCancelled) {
    test::CScriptedPlatform p;
    CKalvoData t, f = EmptyFrequency();
    CTransOpt opt;
    opt.m_bShowOptions = 1;
    MakeTime(t, Values(16, 1.0), Values(16, 0.0), true);
    p.CancelDialog();
    EXPECT_TRUE(RunTransform(opt, t, f));
    EXPECT_EQ(p.dialogTitles.size(), 1u);
    EXPECT_EQ(f.GetCount(), 16);
}

TEST(RunTransform, LargePrimeFallsBackToAPowerOfTwo) {
    test::CScriptedPlatform p;
    CKalvoData t, f = EmptyFrequency();
    CTransOpt opt;
    const Values re = Random(10007, 1u), im = Random(10007, 2u);
    MakeTime(t, re, im, false);
    EXPECT_TRUE(RunTransform(opt, t, f));
    EXPECT_EQ(p.MessageTexts(),
              std::vector<std::string>{"Cannot do FFT of specified length because its largest prime factor is too "
                                       "large.\nThe FFT will be done using the next smaller power of two."});
    EXPECT_EQ(p.statusTexts.back(), "Transforming 10007 points starting at 0.");
    ASSERT_EQ(f.GetCount(), 8192);
    Values outRe(8192), outIm(8192);
    MixedRadixFft(8192, 1.0f / 8192, re.data(), im.data(), outRe.data(), outIm.data());
    for (int k = 0; k < 8192; k += 97) {
        EXPECT_EQ(f.Inphase()[k], outRe[k]) << k;
        EXPECT_EQ(f.Quadrature()[k], outIm[k]) << k;
    }
    EXPECT_EQ(f.m_nStart, -4096);
    EXPECT_EQ(f.m_nStop, 4095);
}

TEST(TransformFrom, ConstantAndScalingBothWays) {
    test::CScriptedPlatform p;
    CKalvoData t, f = EmptyFrequency();
    MakeTime(t, Values(8, 1.0), Values(8, 0.0), true);
    ASSERT_TRUE(TransformFrom(f, t, false, 0, 8));  // default: the way to frequency divides by N
    EXPECT_DOUBLE_EQ(f.Inphase()[0], 1.0);
    for (int k = 1; k < 8; ++k) EXPECT_NEAR(std::hypot(f.Inphase()[k], f.Quadrature()[k]), 0.0, 1e-7) << k;
    CKalvoData back;
    back.m_bTime = 1;
    ASSERT_TRUE(TransformFrom(back, f, false, 0, 8));
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(back.Inphase()[i], 1.0, 1e-7) << i;
        EXPECT_NEAR(back.Quadrature()[i], 0.0, 1e-7) << i;
    }
    // Divide by N on: bin 0 is 8, and the way back divides.
    ASSERT_TRUE(TransformFrom(f, t, true, 0, 8));
    EXPECT_DOUBLE_EQ(f.Inphase()[0], 8.0);
    ASSERT_TRUE(TransformFrom(back, f, true, 0, 8));
    EXPECT_NEAR(back.Inphase()[5], 1.0, 1e-7);
    EXPECT_TRUE(p.messages.empty());
}

TEST(TransformFrom, InverseReversesTheIndices) {
    // One bin at k transforms back to exp(+j 2 pi k n / N).
    CKalvoData f = EmptyFrequency(), t;
    const int n = 16, k = 3;
    for (int i = 0; i < n; ++i) {
        f.Inphase().Append(i == k ? 1.0 : 0.0);
        f.Quadrature().Append(0.0);
    }
    f.m_bReal = 0;
    f.ResetRange();
    t.m_bTime = 1;
    ASSERT_TRUE(TransformFrom(t, f, false, 0, n));
    for (int i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * k * i / n;
        EXPECT_NEAR(t.Inphase()[i], std::cos(a), 1e-7) << i;
        EXPECT_NEAR(t.Quadrature()[i], std::sin(a), 1e-7) << i;
    }
    // And a round trip of random complex data gives the data back.
    const Values re = Random(1000, 5u), im = Random(1000, 6u);
    MakeTime(t, re, im, false);
    CKalvoData f2 = EmptyFrequency(), t2;
    t2.m_bTime = 1;
    ASSERT_TRUE(TransformFrom(f2, t, false, 0, 1000));
    ASSERT_TRUE(TransformFrom(t2, f2, false, 0, 1000));
    for (int i = 0; i < 1000; ++i) {
        EXPECT_NEAR(t2.Inphase()[i], re[i], 1e-6) << i;
        EXPECT_NEAR(t2.Quadrature()[i], im[i], 1e-6) << i;
    }
}

TEST(TransformFrom, CarriesTheDataSettings) {
    test::CScriptedPlatform p;
    CKalvoData t, f = EmptyFrequency();
    MakeTime(t, Random(64, 1u), Values(64, 0.0), true, 48.0, 1);  // 48 kHz
    t.m_nWindow = 5;
    t.m_fMinDb = -100.0f;
    t.m_dDbOffset = 3.0;
    t.m_strDbLabel = "dBm";
    ASSERT_TRUE(TransformFrom(f, t, false, 0, 64));
    EXPECT_EQ(f.m_bTime, 0);
    EXPECT_EQ(f.m_bReal, 0);
    EXPECT_EQ(f.m_nStart, 0);  // from real Time Data: one-sided
    EXPECT_EQ(f.m_nStop, 31);
    EXPECT_EQ(f.m_nCount, 64);
    EXPECT_EQ(f.GetFs(), 48.0);
    EXPECT_EQ(f.m_Fs.GetUnit(), 1);
    EXPECT_DOUBLE_EQ(f.m_dStep, 48.0 / 64);
    EXPECT_DOUBLE_EQ(f.m_dHalfFs, 24.0);
    EXPECT_EQ(f.m_nWindow, 5);
    EXPECT_EQ(f.m_fMinDb, -100.0f);
    EXPECT_EQ(f.m_dDbOffset, 3.0);
    EXPECT_EQ(f.m_strDbLabel, "dBm");
    // Complex Time Data: two-sided.
    t.m_bReal = 0;
    ASSERT_TRUE(TransformFrom(f, t, false, 0, 64));
    EXPECT_EQ(f.m_nStart, -32);
    EXPECT_EQ(f.m_nStop, 31);
    // Back to time: whole range, marker and units carried.
    CKalvoData back;
    ASSERT_TRUE(TransformFrom(back, f, false, 0, 64));
    EXPECT_EQ(back.m_bTime, 1);
    EXPECT_EQ(back.m_bReal, 0);
    EXPECT_EQ(back.m_nStart, 0);
    EXPECT_EQ(back.m_nStop, 63);
    EXPECT_EQ(back.m_nWindow, 5);
    EXPECT_DOUBLE_EQ(back.m_dStep, 1.0 / 48.0);
    EXPECT_EQ(back.m_Fs.GetUnit(), 1);
}

TEST(RunTransform, UsesTheRangeOfTimeButAllOfFrequency) {
    test::CScriptedPlatform p;
    CKalvoData t, f = EmptyFrequency();
    CTransOpt opt;
    const Values re = Random(100, 3u), im = Random(100, 4u);
    MakeTime(t, re, im, false);
    ASSERT_TRUE(t.SetRangeByIndex(10, 49, true));
    ASSERT_TRUE(RunTransform(opt, t, f));
    EXPECT_EQ(p.statusTexts.back(), "Transforming 40 points starting at 10.");
    ASSERT_EQ(f.GetCount(), 40);
    Values outRe(40), outIm(40);
    MixedRadixFft(40, 1.0f / 40, re.data() + 10, im.data() + 10, outRe.data(), outIm.data());
    EXPECT_EQ(f.Inphase()[7], outRe[7]);
    EXPECT_EQ(f.Quadrature()[33], outIm[33]);
    // The way back takes every bin, whatever the Frequency Data's range.
    ASSERT_TRUE(f.SetRangeByIndex(2, 12, true));
    CKalvoData back;
    ASSERT_TRUE(RunTransform(opt, f, back));
    EXPECT_EQ(p.statusTexts.back(), "Transforming 40 points starting at 0.");
    ASSERT_EQ(back.GetCount(), 40);
    for (int i = 0; i < 40; ++i) EXPECT_NEAR(back.Inphase()[i], re[10 + i], 1e-6) << i;
}

TEST(TransformFrom, SourceAndDestinationMayBeOneObject) {
    CKalvoData t;
    const Values re = Random(32, 8u);
    MakeTime(t, re, Values(32, 0.0), true);
    ASSERT_TRUE(TransformFrom(t, t, false, 0, 32));  // the destination was Time Data: not scaled
    EXPECT_EQ(t.m_bTime, 0);
    Values outRe(32), outIm(32), zero(32, 0.0);
    MixedRadixFft(32, 1.0f, re.data(), zero.data(), outRe.data(), outIm.data());
    for (int k = 0; k < 32; ++k) EXPECT_EQ(t.Inphase()[k], outRe[k]);
    // Requests outside the source change nothing.
    EXPECT_FALSE(TransformFrom(t, t, false, 30, 8));
    EXPECT_FALSE(TransformFrom(t, t, false, -1, 8));
    EXPECT_FALSE(TransformFrom(t, t, false, 0, 0));
    EXPECT_EQ(t.GetCount(), 32);
}

TEST(CTransOpt, ListAndFocusChooseTheLengthAtOnce) {
    test::CScriptedPlatform p;
    CTransOpt opt;
    p.OnDialog<CTransOpt>([](CTransOpt& d) {
        const CControl& list = d.Control(CTransOpt::IDC_LENGTH_LIST);
        ASSERT_EQ(list.m_items.size(), 14u);
        EXPECT_EQ(list.m_items.front(), "32");
        EXPECT_EQ(list.m_items.back(), "262144");
        EXPECT_EQ(list.m_nSel, -1);  // no row preselected
        d.SimulateClick(CTransOpt::IDC_SHOW_OPTIONS);
        d.SimulateSelect(CTransOpt::IDC_LENGTH_LIST, 5);
        EXPECT_EQ(d.GetDlgItemText(CTransOpt::IDC_LENGTH), "1024");
        EXPECT_EQ(d.GetCheckedRadioButton(CTransOpt::IDC_MAXIMUM), 2);
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(RunDialog(opt));
    // The list's reaction is not undone by Cancel.
    EXPECT_EQ(opt.m_nLength, 1024);
    EXPECT_EQ(opt.m_nLengthType, CTransOpt::kChosenLength);
    EXPECT_EQ(opt.m_bShowOptions, 1);
    opt.m_nLengthType = CTransOpt::kMaxPowerOfTwo;
    p.OnDialog<CTransOpt>([](CTransOpt& d) {
        EXPECT_EQ(d.GetCheckedRadioButton(CTransOpt::IDC_MAXIMUM), 1);
        d.SimulateFocus(CTransOpt::IDC_LENGTH);
        EXPECT_EQ(d.GetCheckedRadioButton(CTransOpt::IDC_MAXIMUM), 2);
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(RunDialog(opt));
    EXPECT_EQ(opt.m_nLengthType, CTransOpt::kChosenLength);
    p.OnDialog<CTransOpt>([](CTransOpt& d) {
        d.SimulateText(CTransOpt::IDC_LENGTH, "12.5");
        d.SimulateClick(IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SimulateClick(CTransOpt::IDC_MAXIMUM);
        d.SimulateClick(CTransOpt::IDC_DIVIDE_BY_N);
        d.SimulateText(CTransOpt::IDC_LENGTH, "500");
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(RunDialog(opt));
    EXPECT_EQ(p.messages.back().text, "Enter an integer.");
    EXPECT_EQ(opt.m_nLengthType, CTransOpt::kMaximum);
    EXPECT_EQ(opt.m_nLength, 500);
    EXPECT_EQ(opt.m_bDivideByN, 1);
}

TEST(CTransOpt, SerializesWithoutTheDivideFlag) {
    CTransOpt opt;
    opt.m_nLengthType = 2;
    opt.m_nLength = 70000;
    opt.m_nReserved = 3;
    opt.m_bShowOptions = 1;
    opt.m_bDivideByN = 1;
    CMemFile file;
    {
        CArchive ar(file, CArchive::Mode::Store);
        opt.Serialize(ar, 20);
        ar.Close();
    }
    const unsigned char expected[] = {2, 0, 0x70, 0x11, 0x01, 0x00, 3, 0, 1, 0};
    ASSERT_EQ(file.GetLength(), sizeof expected);
    for (size_t i = 0; i < sizeof expected; ++i) EXPECT_EQ(file.Data()[i], expected[i]) << i;
    file.SeekToBegin();
    CArchive ar(file, CArchive::Mode::Load);
    CTransOpt read;
    read.Serialize(ar, 5);
    EXPECT_EQ(read.m_nLengthType, 2);
    EXPECT_EQ(read.m_nLength, 70000);
    EXPECT_EQ(read.m_nReserved, 3);
    EXPECT_EQ(read.m_bShowOptions, 1);
    EXPECT_EQ(read.m_bDivideByN, 0);
}

}  // namespace
}  // namespace kv
