#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "data/CKalvoData.h"
#include "data/SignalOperations.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

CKalvoData Make(std::vector<double> i, std::vector<double> q = {}, bool time = true) {
    CKalvoData d;
    d.m_bTime = time ? 1 : 0;
    if (q.empty()) q.assign(i.size(), 0.0);
    for (double v : i) d.Inphase().Append(v);
    for (double v : q) d.Quadrature().Append(v);
    d.m_bReal = 0;
    d.DetectReal();
    d.ApplyFs(CFs(10.0));
    d.ResetRange();
    d.ApplyFs(CFs(10.0));
    return d;
}
std::vector<double> I(const CKalvoData& d) { return std::vector<double>(d.Inphase().begin(), d.Inphase().end()); }
std::vector<double> Q(const CKalvoData& d) {
    return std::vector<double>(d.Quadrature().begin(), d.Quadrature().end());
}

TEST(SignalOperations, ZeroStuffingAndPadding) {
    CKalvoData d = Make({1, 2, 3, 4});
    ZeroStuff(d, 1, true);
    EXPECT_EQ(I(d), (std::vector<double>{1, 0, 2, 0, 3, 0, 4}));
    EXPECT_EQ(Q(d), std::vector<double>(7, 0.0));
    EXPECT_EQ(d.m_dFs, 20.0);
    CKalvoData one = Make({5});
    ZeroStuff(one, 2, true);
    EXPECT_EQ(I(one), (std::vector<double>{5}));
    EXPECT_EQ(one.m_dFs, 30.0);
    ZeroStuff(one, 0, true);
    EXPECT_EQ(one.m_dFs, 30.0);

    CKalvoData front = Make({1, 2}, {3, 4});
    ZeroPadFront(front, 2);
    EXPECT_EQ(I(front), (std::vector<double>{0, 0, 1, 2}));
    EXPECT_EQ(Q(front), (std::vector<double>{0, 0, 3, 4}));
    CKalvoData back = Make({1, 2});
    ZeroPadBack(back, 2);
    ZeroPadBack(back, -3);
    EXPECT_EQ(I(back), (std::vector<double>{1, 2, 0, 0}));
    EXPECT_THROW(ZeroStuff(back, 1000000000, false), std::bad_alloc);
    EXPECT_EQ(back.GetCount(), 4);
}

TEST(SignalOperations, PadIsSymmetricAboutDc) {
    CKalvoData d = Make({1, 2, 3, 4}, {5, 6, 7, 8}, false);
    Pad(d, 1, 0.0, 9.0, -9.0);
    EXPECT_EQ(I(d), (std::vector<double>{9, 1, 2, 3, 4, 9}));
    EXPECT_EQ(Q(d), (std::vector<double>{-9, 5, 6, 7, 8, -9}));
    EXPECT_EQ(d.m_nCount, 6);

    CKalvoData eight = Make({0, 1, 2, 3, 4, 5, 6, 7}, {}, false);
    Pad(eight, 1, eight.m_dStep, 9.0, 9.0);  // bin 1
    EXPECT_EQ(I(eight), (std::vector<double>{0, 1, 9, 2, 3, 4, 5, 6, 9, 7}));

    std::vector<double> bins(64, 1.0);
    CKalvoData big = Make(bins, {}, false);
    Pad(big, (64 * (2 - 1)) >> 1, 0.0, 0.0, 0.0);
    EXPECT_EQ(big.GetCount(), 128);
}

TEST(SignalOperations, RectifyConjugateSquareRootScale) {
    CKalvoData d = Make({-1}, {2});
    Rectify(d);
    EXPECT_EQ(I(d), std::vector<double>{1});
    EXPECT_EQ(Q(d), std::vector<double>{2});
    Conjugate(d);
    EXPECT_EQ(Q(d), std::vector<double>{-2});

    CKalvoData r = Make({-4, 3}, {0, 4}, false);
    SquareRoot(r);
    EXPECT_NEAR(r.Inphase()[0], 0.0, 1e-15);
    EXPECT_NEAR(r.Quadrature()[0], 2.0, 1e-15);
    EXPECT_NEAR(r.Inphase()[1], 2.0, 1e-15);
    EXPECT_NEAR(r.Quadrature()[1], 1.0, 1e-15);

    test::CScriptedPlatform platform;
    CKalvoData real = Make({1, 2});
    real.Quadrature().SetAt(0, 7.0);  // real data: the Quadrature column is left alone
    ASSERT_TRUE(real.IsReal());
    EXPECT_TRUE(Scale(real, 3.0));
    EXPECT_EQ(I(real), (std::vector<double>{3, 6}));
    EXPECT_EQ(real.Quadrature()[0], 7.0);
    platform.AnswerNo();
    EXPECT_FALSE(Scale(real, 0.0));
    EXPECT_EQ(I(real), (std::vector<double>{3, 6}));
    EXPECT_EQ(platform.messages.back().text,
              "Scale value is 0.0 (linear).\nTherefore, scaling will clear all data.\nScale anyway?");
    EXPECT_EQ(platform.messages.back().icon, MsgIcon::Warning);
    platform.AnswerYes();
    EXPECT_TRUE(Scale(real, 0.0));
    EXPECT_EQ(I(real), (std::vector<double>{0, 0}));

    CKalvoData dc = Make({1, 3}, {2, 2});
    RemoveDc(dc);
    EXPECT_EQ(I(dc), (std::vector<double>{-1, 1}));
    EXPECT_EQ(Q(dc), (std::vector<double>{0, 0}));
    CKalvoData empty = Make({});
    RemoveDc(empty);
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(SignalOperations, MixingARealCosineShiftsItsSpectrum) {
    const int n = 64;
    std::vector<double> x(n);
    for (int k = 0; k < n; ++k) x[k] = std::cos(2 * M_PI * 4 * k / n);
    CKalvoData d = Make(x);
    d.ApplyFs(CFs(static_cast<double>(n)));
    ASSERT_TRUE(d.IsReal());
    Mix(d, 8.0, 0.0);
    EXPECT_EQ(d.m_bReal, 0);
    // A direct DFT: peaks at bins 12 and 4 (-4 + 8), nothing elsewhere.
    for (int bin = 0; bin < n; ++bin) {
        std::complex<double> sum = 0;
        for (int k = 0; k < n; ++k)
            sum += std::complex<double>(d.Inphase()[k], d.Quadrature()[k]) * std::polar(1.0, -2 * M_PI * bin * k / n);
        double expected = (bin == 12 || bin == 4) ? n / 2.0 : 0.0;
        EXPECT_NEAR(std::abs(sum), expected, 1e-9) << bin;
    }
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST(SignalOperations, MixingWithoutASamplingFrequencyChangesNothing) {
    CKalvoData d = Make({1.0, 2.0, 3.0});
    d.ApplyFs(CFs(0.0));
    EXPECT_FALSE(Mix(d, 8.0, 0.0));
    EXPECT_EQ(d.Inphase()[2], 3.0);
    EXPECT_EQ(d.Quadrature()[2], 0.0);
}

}  // namespace
}  // namespace kv
