#include <gtest/gtest.h>

#include <vector>

#include "data/CDataColumn.h"
#include "data/CKalvoData.h"
#include "data/SignalOperations.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"
#include "platform/CSnapshotFile.h"

namespace kv {
namespace {

CDataColumn Ramp(int32_t n, double first = 0.0) {
    CDataColumn c;
    c.SetSize(n);
    double* p = c.GetWritableData();
    for (int32_t i = 0; i < n; ++i) p[i] = first + i;
    return c;
}

TEST(SharedColumns, CopiesShareValuesUntilOneOfThemWrites) {
    CDataColumn a = Ramp(10);
    CDataColumn b(a);
    EXPECT_EQ(a.GetData(), b.GetData());
    EXPECT_TRUE(a.IsShared());
    EXPECT_TRUE(b.IsShared());

    b.SetAt(3, -1.0);
    EXPECT_NE(a.GetData(), b.GetData());
    EXPECT_EQ(a[3], 3.0);
    EXPECT_EQ(b[3], -1.0);
    EXPECT_FALSE(a.IsShared());
    EXPECT_EQ(b.GetMaxSize(), a.GetMaxSize());

    // A column whose sharer is gone writes in place: no copy.
    CDataColumn c = Ramp(8);
    const double* before = c.GetData();
    { CDataColumn d(c); }
    c.SetAt(0, 5.0);
    EXPECT_EQ(c.GetData(), before);
}

TEST(SharedColumns, EveryWayOfWritingGivesTheWriterItsOwnValues) {
    const CDataColumn original = Ramp(6, 1.0);  // 1 ... 6
    auto check = [&](auto&& change, std::vector<double> expected) {
        CDataColumn c(original);
        change(c);
        EXPECT_EQ(std::vector<double>(c.begin(), c.end()), expected);
        EXPECT_EQ(std::vector<double>(original.begin(), original.end()), (std::vector<double>{1, 2, 3, 4, 5, 6}));
    };
    check([](CDataColumn& c) { c.Negate(); }, {-1, -2, -3, -4, -5, -6});
    check([](CDataColumn& c) { c.ZeroAll(); }, {0, 0, 0, 0, 0, 0});
    check([](CDataColumn& c) { c.Reverse(); }, {6, 5, 4, 3, 2, 1});
    check([](CDataColumn& c) { c.RotateRight(); }, {6, 1, 2, 3, 4, 5});
    check([](CDataColumn& c) { c.InsertValues(1, 1, 9.0); }, {1, 9, 2, 3, 4, 5, 6});
    check([](CDataColumn& c) { c.Append(7.0); }, {1, 2, 3, 4, 5, 6, 7});
    check([](CDataColumn& c) { c.GetWritableData()[5] = 0.5; }, {1, 2, 3, 4, 5, 0.5});
    // Shrinking writes nothing; growing again must not show the old values
    // of the shared block to the other holder's cost.
    check(
        [](CDataColumn& c) {
            c.SetSize(2);
            c.SetSize(4);
            c.SetAt(2, 0.0);
            c.SetAt(3, 0.0);
        },
        {1, 2, 0, 0});
}

TEST(SharedColumns, SnapshotKeepsColumnsByReferenceAndGivesThemBack) {
    CDataColumn big = Ramp(5000);
    CDataColumn small = Ramp(3);
    CSnapshotFile snapshot;
    {
        CArchive ar(snapshot, CArchive::Mode::Store);
        big.Serialize(ar);
        small.Serialize(ar);
        ar.Close();
    }
    EXPECT_EQ(snapshot.SharedBlockCount(), 1u);  // small columns are copied
    EXPECT_LT(snapshot.OwnBytes(), 100u);
    EXPECT_EQ(snapshot.GetLength(), 4u + 5000u * 8u + 4u + 3u * 8u);

    // The same bytes as a file.
    CMemFile file;
    {
        CArchive ar(file, CArchive::Mode::Store);
        big.Serialize(ar);
        small.Serialize(ar);
        ar.Close();
    }
    std::vector<unsigned char> bytes(snapshot.GetLength());
    snapshot.SeekToBegin();
    ASSERT_EQ(snapshot.Read(bytes.data(), bytes.size()), bytes.size());
    EXPECT_EQ(bytes, std::vector<unsigned char>(file.Data(), file.Data() + file.GetLength()));

    // The writer changes its column: the snapshot still has the old values.
    big.SetAt(0, 99.0);
    CDataColumn back, backSmall;
    snapshot.SeekToBegin();
    {
        CArchive ar(snapshot, CArchive::Mode::Load);
        back.Serialize(ar);
        backSmall.Serialize(ar);
    }
    EXPECT_EQ(back.GetSize(), 5000);
    EXPECT_EQ(back[0], 0.0);
    EXPECT_EQ(back[4999], 4999.0);
    EXPECT_TRUE(back.IsShared());
    EXPECT_EQ(std::vector<double>(backSmall.begin(), backSmall.end()), (std::vector<double>{0, 1, 2}));

    // A second load shares the same values again; writing one leaves the other.
    CDataColumn again;
    snapshot.SeekToBegin();
    {
        CArchive ar(snapshot, CArchive::Mode::Load);
        again.Serialize(ar);
    }
    EXPECT_EQ(again.GetData(), back.GetData());
    again.SetAt(1, -7.0);
    EXPECT_EQ(back[1], 1.0);
}

TEST(SharedColumns, ForeignBlocksAreNotTaken) {
    CDataColumn c = Ramp(4);
    CSharedBytes foreign = Ramp(4).ShareValues();
    foreign.m_pKind = &foreign;
    EXPECT_FALSE(c.AdoptValues(foreign));
    CSharedBytes ragged = Ramp(4).ShareValues();
    ragged.m_nBytes = 7;
    EXPECT_FALSE(c.AdoptValues(ragged));
    EXPECT_EQ(c[3], 3.0);
}

// Operations that change nothing in a column leave it shared.
TEST(SharedColumns, OperationsCopyOnlyTheColumnsTheyChange) {
    CKalvoData data;
    data.Reset();
    for (int i = 0; i < 100; ++i) {
        data.AppendValue(0, i % 7 - 3.0);
        data.AppendValue(1, 0.0);
    }
    data.ResetRange();
    const CKalvoData held(data);
    Scale(data, 2.0);  // real data: the Quadrature column is not scaled
    EXPECT_EQ(data.Quadrature().GetData(), held.Quadrature().GetData());
    EXPECT_NE(data.Inphase().GetData(), held.Inphase().GetData());
    EXPECT_EQ(held.Inphase()[0], -3.0);

    const CKalvoData held2(data);
    Rectify(data);  // no negative Quadrature value
    EXPECT_EQ(data.Quadrature().GetData(), held2.Quadrature().GetData());
    EXPECT_EQ(data.Inphase()[0], 6.0);
    RemoveDc(data);  // the Quadrature mean is 0
    EXPECT_EQ(data.Quadrature().GetData(), held2.Quadrature().GetData());
}

}  // namespace
}  // namespace kv
