#include <gtest/gtest.h>

#include <cmath>

#include "data/CKalvoData.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"

namespace kv {
namespace {

CKalvoData TimeData(int n, double fs = 1.0) {
    CKalvoData d;
    d.m_bTime = 1;
    for (int i = 0; i < n; ++i) {
        d.Inphase().Append(i);
        d.Quadrature().Append(0.0);
    }
    d.ResetRange();
    CFs f(fs);
    d.ApplyFs(f);
    return d;
}

CKalvoData FreqData(int n, bool real, double fs = 8.0) {
    CKalvoData d;
    d.m_bTime = 0;
    d.m_bReal = real;
    for (int i = 0; i < n; ++i) {
        d.Inphase().Append(i);
        d.Quadrature().Append(0.0);
    }
    d.ResetRange();
    d.ApplyFs(CFs(fs));
    return d;
}

TEST(KalvoData, ResetLeavesTwoEmptyColumnsAndKeepsSettings) {
    CKalvoData d = TimeData(10, 48.0);
    d.m_nWindow = 3;
    d.m_bReal = 0;
    d.m_strName = "name";
    d.Reset();
    ASSERT_EQ(d.GetColumnCount(), 2);
    EXPECT_EQ(&d.Inphase(), &d.GetColumn(0));
    EXPECT_EQ(&d.Quadrature(), &d.GetColumn(1));
    EXPECT_EQ(d.GetCount(), 0);
    EXPECT_EQ(d.m_nWindow, -1);
    EXPECT_EQ(d.m_bReal, 1);
    EXPECT_EQ(d.m_nStart, 0);
    EXPECT_EQ(d.m_nStop, 0);
    EXPECT_EQ(d.m_nCount, 0);
    EXPECT_EQ(d.m_dFs, 48.0);
    EXPECT_EQ(d.m_strName, "name");
}

TEST(KalvoData, RangesAfterReset) {
    CKalvoData empty;
    empty.ResetRange();
    EXPECT_EQ(empty.m_nCount, 0);
    EXPECT_EQ(empty.m_nStart, 0);
    EXPECT_EQ(empty.m_nStop, 0);

    CKalvoData real = FreqData(8, true);
    EXPECT_EQ(real.m_nStart, 0);
    EXPECT_EQ(real.m_nStop, 3);
    CKalvoData complex = FreqData(8, false);
    EXPECT_EQ(complex.m_nStart, -4);
    EXPECT_EQ(complex.m_nStop, 3);
    EXPECT_DOUBLE_EQ(complex.m_dStep, 1.0);
    EXPECT_EQ(complex.IndexToValue(-4), -4.0);
    // Stored indices above N/2 are negative frequencies when the range is two-sided.
    EXPECT_EQ(complex.IndexToValue(6), -2.0);
    EXPECT_EQ(real.IndexToValue(6), 6.0);
}

TEST(KalvoData, SetRangeByIndexRules) {
    CKalvoData d = TimeData(100);
    EXPECT_FALSE(d.SetRangeByIndex(2, 6, true));  // spans only 4 steps
    EXPECT_EQ(d.m_nStart, 0);
    EXPECT_EQ(d.m_nStop, 99);
    EXPECT_TRUE(d.SetRangeByIndex(2, 7, true));
    EXPECT_EQ(d.m_nStart, 2);
    EXPECT_EQ(d.m_nStop, 7);
    EXPECT_FALSE(d.SetRangeByIndex(0, 200, true));
    EXPECT_TRUE(d.SetRangeByIndex(0, 200, false));
    EXPECT_EQ(d.m_nStop, 99);
    EXPECT_FALSE(d.SetRangeByIndex(-1, 50, false));
    EXPECT_FALSE(d.SetRangeByIndex(10, -1, false));
    EXPECT_FALSE(d.SetRangeByIndex(50, 10, true));
    EXPECT_TRUE(d.SetRangeByIndex(50, 10, false));  // start becomes 0
    EXPECT_EQ(d.m_nStart, 0);
    EXPECT_EQ(d.m_nStop, 10);

    CKalvoData tiny = TimeData(4);
    EXPECT_TRUE(tiny.SetRangeByIndex(1, 2, true));
    EXPECT_EQ(tiny.m_nStart, 0);
    EXPECT_EQ(tiny.m_nStop, 3);
}

TEST(KalvoData, FrequencyRangesWithNegativeIndices) {
    CKalvoData d = FreqData(100, false);
    // A negative stop with a non-negative start addresses the stored index.
    EXPECT_TRUE(d.SetRangeByIndex(10, -20, true));
    EXPECT_EQ(d.m_nStart, 10);
    EXPECT_EQ(d.m_nStop, 80);
    // A range wholly among the negative frequencies stays there.
    EXPECT_TRUE(d.SetRangeByIndex(-40, -20, true));
    EXPECT_EQ(d.m_nStart, -40);
    EXPECT_EQ(d.m_nStop, -20);
    EXPECT_FALSE(d.SetRangeByIndex(-20, -40, true));
}

TEST(KalvoData, ValueToIndexClampsAndRounds) {
    CKalvoData d = TimeData(100, 10.0);  // step 0.1
    EXPECT_EQ(d.ValueToIndex(1e9), 99);
    EXPECT_EQ(d.ValueToIndex(-5), 0);
    EXPECT_EQ(d.ValueToIndex(0.25), 3);  // 2.5 rounds away from zero
    EXPECT_EQ(d.ValueToIndex(0.24), 2);
    CKalvoData f = FreqData(8, false);  // step 1, limits -4 .. 3
    EXPECT_EQ(f.ValueToIndex(-3.0), -3);
    EXPECT_EQ(f.ValueToIndex(-100.0), -4);
    EXPECT_EQ(f.ValueToIndex(100.0), 3);
    // A spacing of zero never divides into an undefined index.
    CKalvoData z = TimeData(10, 1.0);
    z.m_dStep = 0.0;
    EXPECT_EQ(z.ValueToIndex(5.0), 0);
    EXPECT_TRUE(d.SetRangeByValue(true, 1.0, 2.0));
    EXPECT_EQ(d.m_nStart, 10);
    EXPECT_EQ(d.m_nStop, 20);
    auto values = d.GetRangeValues();
    EXPECT_DOUBLE_EQ(values.first, 1.0);
    EXPECT_DOUBLE_EQ(values.second, 2.0);
}

TEST(KalvoData, ApplyFsDerivesHalfAndStep) {
    CKalvoData t = TimeData(10);
    CFs fs(48.0);
    fs.SetUnit(1);
    t.ApplyFs(fs);
    EXPECT_EQ(t.m_dFs, 48.0);
    EXPECT_EQ(t.m_dHalfFs, 24.0);
    EXPECT_DOUBLE_EQ(t.m_dStep, 1.0 / 48.0);
    EXPECT_EQ(t.GetUnitName(), "ms");
    CKalvoData f = FreqData(16, true);
    f.ApplyFs(fs);
    EXPECT_EQ(f.m_dStep, 3.0);
    EXPECT_EQ(f.GetUnitName(), "kHz");
    CKalvoData e;
    e.m_bTime = 0;
    e.ApplyFs(fs);
    EXPECT_EQ(e.m_dStep, 0.0);
    t.MultiplyFs(2.0);
    EXPECT_EQ(t.m_dFs, 96.0);
    EXPECT_EQ(t.GetFs(), 96.0);
}

TEST(KalvoData, DetectRealZeroesTinyQuadratureUnlessAnExactZeroIsPresent) {
    CKalvoData d;
    for (int i = 0; i < 10; ++i) {
        d.Inphase().Append(i % 2 ? 1.0 : -1.0);
        d.Quadrature().Append(1e-9);
    }
    EXPECT_EQ(d.EqualizeColumns(0.0), 1);
    for (double q : d.Quadrature()) EXPECT_EQ(q, 0.0);

    CKalvoData keep;
    for (int i = 0; i < 10; ++i) {
        keep.Inphase().Append(i % 2 ? 1.0 : -1.0);
        keep.Quadrature().Append(i == 3 ? 0.0 : 1e-9);
    }
    EXPECT_EQ(keep.DetectReal(), 1);
    EXPECT_EQ(keep.Quadrature()[0], 1e-9);

    CKalvoData complex;
    for (int i = 0; i < 10; ++i) {
        complex.Inphase().Append(i);
        complex.Quadrature().Append(0.5);
    }
    EXPECT_EQ(complex.DetectReal(), 0);
}

TEST(KalvoData, EqualizeColumnsPadsTheShorterColumn) {
    CKalvoData d;
    d.Inphase().Append(1);
    d.Inphase().Append(2);
    d.Inphase().Append(3);
    EXPECT_EQ(d.EqualizeColumns(0.0), 1);  // the Quadrature column was empty
    EXPECT_EQ(d.Quadrature().GetSize(), 3);
    EXPECT_EQ(d.m_nCount, 3);
    EXPECT_EQ(d.m_nStop, 2);

    CKalvoData q;
    q.Quadrature().Append(5);
    q.Quadrature().Append(6);
    EXPECT_EQ(q.EqualizeColumns(0.0), 0);
    EXPECT_EQ(q.Inphase().GetSize(), 2);

    // A pad value other than zero fills the whole gap and nothing else; a
    // column whose values another copy shares is padded in its own block.
    CKalvoData shared;
    for (int i = 0; i < 5000; ++i) shared.Inphase().Append(i);
    shared.Quadrature().Append(-1);
    const CDataColumn kept = shared.Quadrature();
    shared.EqualizeColumns(2.5);
    ASSERT_EQ(shared.Quadrature().GetSize(), 5000);
    EXPECT_EQ(shared.Quadrature()[0], -1.0);
    for (int32_t i = 1; i < 5000; ++i) ASSERT_EQ(shared.Quadrature()[i], 2.5) << i;
    ASSERT_EQ(kept.GetSize(), 1);
    EXPECT_EQ(kept[0], -1.0);
    EXPECT_EQ(shared.Inphase().GetSize(), 5000);
    EXPECT_EQ(shared.Inphase()[4999], 4999.0);
}

TEST(KalvoData, ComponentsAndRanges) {
    CKalvoData d;
    d.m_bTime = 0;
    d.m_bReal = 0;
    double re[] = {1, 0, 3, -4};
    double im[] = {0, 0, 4, 3};
    for (int i = 0; i < 4; ++i) {
        d.Inphase().Append(re[i]);
        d.Quadrature().Append(im[i]);
    }
    d.ResetRange();  // -2 .. 1
    EXPECT_EQ(d.GetComponent(2, 2), 25.0);
    EXPECT_EQ(d.GetComponent(2, 4), 5.0);
    EXPECT_EQ(d.GetComponent(1, 3), 0.0);
    EXPECT_DOUBLE_EQ(d.GetComponent(-1, 3), std::atan2(3.0, -4.0) / M_PI * 180.0);
    EXPECT_EQ(d.GetComponent(-2, 0), 3.0);  // stored index 2
    EXPECT_EQ(d.GetComponent(0, 7), 0.0);
    // Peak power skips DC: the powers are 1 (DC), 0, 25, 25.
    EXPECT_EQ(d.PeakPower(), 25.0);
    auto range = d.GetComponentRange(0);
    EXPECT_EQ(range.first, -4.0);
    EXPECT_EQ(range.second, 3.0);
    // Indices outside the data read as 0, never past the columns.
    EXPECT_EQ(d.GetComponent(100, 0), 0.0);
    EXPECT_EQ(d.GetComponent(-100, 0), 0.0);
}

TEST(KalvoData, ToDbFloorsAtTheMinimum) {
    CKalvoData d;
    EXPECT_EQ(d.ToDb(0.0, true), -130.0);
    EXPECT_NEAR(d.ToDb(0.0, false), -300.0, 1e-4);
    EXPECT_NEAR(d.ToDb(100.0, true), 20.0, 1e-12);
    d.m_dDbOffset = 3.0;
    EXPECT_NEAR(d.ToDb(1.0, true), 3.0, 1e-12);
    EXPECT_EQ(d.ToDb(-5.0, true), -130.0);
    d.m_dDbOffset = 200.0;  // -300 + 200 is above the floor
    EXPECT_NEAR(d.ToDb(0.0, true), -100.0, 1e-4);
}

TEST(KalvoData, CopyKeepsItsOwnColumns) {
    CKalvoData a = TimeData(5);
    CKalvoData b(a);
    b.Inphase().SetAt(0, 42);
    EXPECT_EQ(a.Inphase()[0], 0);
    EXPECT_EQ(&b.Inphase(), &b.GetColumn(0));
    CKalvoData c;
    c = b;
    EXPECT_EQ(&c.Quadrature(), &c.GetColumn(1));
    EXPECT_EQ(c.Inphase()[0], 42);
}

std::vector<unsigned char> Store(CKalvoData& d) {
    CMemFile file;
    {
        CArchive ar(file, CArchive::Mode::Store);
        d.Serialize(ar, 20);
    }
    return std::vector<unsigned char>(file.Data(), file.Data() + file.GetLength());
}

void Load(CKalvoData& d, const std::vector<unsigned char>& bytes) {
    CMemFile file;
    file.Write(bytes.data(), bytes.size());
    file.SeekToBegin();
    CArchive ar(file, CArchive::Mode::Load);
    d.Serialize(ar, 20);
}

TEST(KalvoData, RecordRoundTrip) {
    CKalvoData d = TimeData(3, 4.0);
    d.m_strName = "sig";
    d.m_nWindow = 2;
    d.m_Fs.SetUnit(1);
    auto bytes = Store(d);
    CKalvoData back;
    Load(back, bytes);
    EXPECT_EQ(back.m_strName, "sig");
    EXPECT_EQ(back.GetCount(), 3);
    EXPECT_EQ(back.Inphase()[2], 2.0);
    EXPECT_EQ(back.m_nWindow, 2);
    EXPECT_EQ(back.m_dFs, 4.0);
    EXPECT_EQ(back.m_Fs.m_dValue, 4.0);
    EXPECT_EQ(back.m_Fs.GetUnit(), 1);
    EXPECT_EQ(back.m_nStop, 2);
    EXPECT_EQ(Store(back), bytes);
}

TEST(KalvoData, RefusesARecordWithoutTwoColumnsAndStaysUsable) {
    CKalvoData d = TimeData(3);
    d.AddColumn();  // three columns
    auto bytes = Store(d);
    CKalvoData back = TimeData(5);
    EXPECT_THROW(Load(back, bytes), CArchiveException);
    ASSERT_EQ(back.GetColumnCount(), 2);
    EXPECT_EQ(&back.Inphase(), &back.GetColumn(0));
    EXPECT_EQ(back.GetCount(), 0);

    // A truncated record leaves the object empty with its two columns.
    CKalvoData ok = TimeData(3);
    bytes = Store(ok);
    bytes.resize(bytes.size() - 5);
    CKalvoData cut = TimeData(5);
    EXPECT_THROW(Load(cut, bytes), CArchiveException);
    EXPECT_EQ(cut.GetColumnCount(), 2);
    EXPECT_EQ(cut.GetCount(), 0);
}

TEST(KalvoData, DamagedRangeIsReplacedByTheWholeData) {
    CKalvoData d = TimeData(10);
    d.m_nStop = 1000000;  // points far past the data
    auto bytes = Store(d);
    CKalvoData back;
    Load(back, bytes);
    EXPECT_EQ(back.m_nStart, 0);
    EXPECT_EQ(back.m_nStop, 9);
    EXPECT_EQ(back.m_nCount, 10);
}

}  // namespace
}  // namespace kv
