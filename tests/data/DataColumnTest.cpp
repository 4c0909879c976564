#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/CDataColumn.h"
#include "data/CDataSet.h"
#include "data/CFloatArray.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"

namespace kv {
namespace {

std::vector<double> Values(const CDataColumn& c) { return std::vector<double>(c.begin(), c.end()); }

CDataColumn Column(std::initializer_list<double> values) {
    CDataColumn c;
    for (double v : values) c.Append(v);
    return c;
}

TEST(FloatArray, AppendGrowsInStepsOfTheGrowthStep) {
    CFloatArray a;
    std::vector<int32_t> capacities;
    for (int i = 0; i < 3074; ++i) {
        a.Append(i);
        if (capacities.empty() || capacities.back() != a.GetMaxSize()) capacities.push_back(a.GetMaxSize());
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{1, 1025, 2049, 3073, 4097}));
    for (int i = 0; i < 3074; ++i) ASSERT_EQ(a[i], i);
}

TEST(FloatArray, SizeChangesNeverShrinkTheAllocationUntilEmptied) {
    CFloatArray a;
    a.SetSize(10);
    EXPECT_EQ(a.GetMaxSize(), 10);
    a.SetSize(3);
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a.GetMaxSize(), 10);
    a.SetSize(12);  // 10 + 1024 is more than asked for
    EXPECT_EQ(a.GetMaxSize(), 1034);
    a.SetSize(5000);  // more than 1034 + 1024: exactly the size asked for
    EXPECT_EQ(a.GetMaxSize(), 5000);
    a.SetSize(0);
    EXPECT_EQ(a.GetMaxSize(), 0);
    EXPECT_EQ(a.GetData(), nullptr);
}

// Vector code (the transform) reads and writes whole cache lines of the
// values: every block starts on one, however it came about, and keeps the
// values it had.
TEST(FloatArray, ValuesStartOnACacheLine) {
    auto aligned = [](const CFloatArray& a) { return reinterpret_cast<uintptr_t>(a.GetData()) % 64 == 0; };
    CFloatArray a;
    for (int i = 0; i < 5000; ++i) {
        a.Append(i);
        ASSERT_TRUE(aligned(a)) << i;
    }
    a.SetSize(3'000'000);  // a large block, grown in place or remapped
    EXPECT_TRUE(aligned(a));
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(a[i], i);
    double* p = a.GetWritableData();
    for (int i = 5000; i < 3'000'000; ++i) p[i] = i;
    a.SetSize(3'000'000 + 2048);
    EXPECT_TRUE(aligned(a));
    EXPECT_EQ(a[2'999'999], 2'999'999);

    CFloatArray b(a);  // shares the block until it writes
    b.SetAt(0, -1.0);
    EXPECT_TRUE(aligned(b));
    EXPECT_NE(b.GetData(), a.GetData());
    EXPECT_EQ(b[1], 1.0);
    CFloatArray c;
    c.SetSize(7);
    EXPECT_TRUE(aligned(c));
}

TEST(FloatArray, CopiesAndMovesKeepTheValues) {
    CFloatArray a;
    for (int i = 0; i < 5; ++i) a.Append(i * 1.5);
    CFloatArray b(a);
    CFloatArray c;
    c = a;
    CFloatArray d(std::move(a));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(b[i], i * 1.5);
        EXPECT_EQ(c[i], i * 1.5);
        EXPECT_EQ(d[i], i * 1.5);
    }
    EXPECT_EQ(a.GetSize(), 0);
}

TEST(DataColumn, ReorderingOperations) {
    CDataColumn c = Column({1, 2, 3, 4});
    c.RotateRight();
    EXPECT_EQ(Values(c), (std::vector<double>{4, 1, 2, 3}));
    c = Column({1, 2, 3, 4});
    c.Reverse();
    EXPECT_EQ(Values(c), (std::vector<double>{4, 3, 2, 1}));
    c = Column({1, 2, 3});
    c.Reverse();
    EXPECT_EQ(Values(c), (std::vector<double>{3, 2, 1}));
    c = Column({5, 6, 7});
    c.InsertValues(1, 2, 0.0);
    EXPECT_EQ(Values(c), (std::vector<double>{5, 0, 0, 6, 7}));
    c.InsertValues(5, 1, 9.0);  // at the end: appends
    EXPECT_EQ(Values(c), (std::vector<double>{5, 0, 0, 6, 7, 9}));
    c.Negate();
    EXPECT_EQ(Values(c), (std::vector<double>{-5, -0.0, -0.0, -6, -7, -9}));
    c.ZeroAll();
    EXPECT_EQ(Values(c), (std::vector<double>(6, 0.0)));
}

TEST(DataColumn, NearestIndexPrefersTheLowerIndexOnTies) {
    EXPECT_EQ(CDataColumn().NearestIndex(1.0), -1);
    EXPECT_EQ(Column({7}).NearestIndex(-100.0), 0);
    EXPECT_EQ(Column({1, 2, 3}).NearestIndex(2.5), 1);
    EXPECT_EQ(Column({1, 2, 3}).NearestIndex(2.6), 2);
    EXPECT_EQ(Column({3, 1, 3}).NearestIndex(3.0), 0);
}

TEST(DataColumn, StatisticsOfEmptyAndFilledColumns) {
    CDataColumn empty;
    EXPECT_EQ(empty.GetMin(), 0.0);
    EXPECT_EQ(empty.GetMax(), 0.0);
    EXPECT_EQ(empty.GetSum(), 0.0);
    CDataColumn c = Column({2, -1, 5});
    EXPECT_EQ(c.GetMin(), -1);
    EXPECT_EQ(c.GetMax(), 5);
    EXPECT_EQ(c.GetSum(), 6);
    EXPECT_EQ(c.GetMean(), 2);
}

TEST(DataColumn, CopyFromTakesNameAttributesAndValues) {
    CDataColumn src = Column({1, 2});
    src.m_strName = "I";
    src.m_nTag1 = 3;
    src.m_nTag2 = 4;
    CDataColumn dst = Column({9, 9, 9});
    dst.CopyFrom(src);
    EXPECT_EQ(dst.m_strName, "I");
    EXPECT_EQ(dst.m_nTag1, 3);
    EXPECT_EQ(dst.m_nTag2, 4);
    EXPECT_EQ(Values(dst), (std::vector<double>{1, 2}));
}

TEST(DataSet, CountIsTheShortestColumn) {
    CDataSet set;
    EXPECT_EQ(set.GetCount(), 0);
    EXPECT_TRUE(set.IsEmpty());
    double five[] = {1, 2, 3, 4, 5};
    double three[] = {1, 2, 3};
    set.AddColumnFrom(5, five);
    set.AddColumnFrom(3, three);
    EXPECT_EQ(set.GetCount(), 3);
    set.AppendValue(1, 10);
    EXPECT_EQ(set.GetCount(), 4);
    EXPECT_EQ(set.GetValue(1, 3), 10);
    set.Reset();
    EXPECT_EQ(set.GetColumnCount(), 0);
}

TEST(DataSet, MinAndMaxCountEmptyColumnsAsZero) {
    CDataSet set;
    double v[] = {2, 3};
    set.AddColumnFrom(2, v);
    set.AddColumn();
    EXPECT_EQ(set.GetMin(), 0.0);
    EXPECT_EQ(set.GetMax(), 3.0);
}

TEST(DataSet, SerializesNameCountAndColumnsOnly) {
    CDataSet set;
    set.m_strName = "abc";
    double v[] = {1.0, -2.5};
    set.AddColumnFrom(2, v).m_strName = "not stored";
    set.AddColumn();
    CMemFile file;
    {
        CArchive ar(file, CArchive::Mode::Store);
        set.Serialize(ar);
    }
    const unsigned char expected[] = {3, 'a', 'b', 'c', 2, 0, 0, 0, 2, 0, 0, 0,
                                      0, 0, 0, 0, 0, 0, 0xF0, 0x3F,  // 1.0
                                      0, 0, 0, 0, 0, 0, 0x04, 0xC0,  // -2.5
                                      0, 0, 0, 0};
    ASSERT_EQ(file.GetLength(), sizeof expected);
    EXPECT_EQ(0, memcmp(file.Data(), expected, sizeof expected));

    CDataSet back;
    back.AddColumn();
    back.AddColumn();
    back.AddColumn();
    file.SeekToBegin();
    CArchive ar(file, CArchive::Mode::Load);
    back.Serialize(ar);
    EXPECT_EQ(back.m_strName, "abc");
    ASSERT_EQ(back.GetColumnCount(), 2);
    EXPECT_EQ(back.GetColumn(0).GetSize(), 2);
    EXPECT_EQ(back.GetValue(0, 1), -2.5);
    EXPECT_EQ(back.GetColumn(0).m_strName, "");
    EXPECT_EQ(back.GetColumn(1).GetSize(), 0);
}

TEST(DataSet, RefusesCountsLargerThanTheFile) {
    // A column count of a million in a file of a few bytes.
    const unsigned char hostileColumns[] = {0, 0x40, 0x42, 0x0F, 0x00};
    // One column claiming 100000000 values.
    const unsigned char hostileValues[] = {0, 1, 0, 0, 0, 0x00, 0xE1, 0xF5, 0x05, 0, 0, 0, 0, 0, 0, 0, 0};
    // A negative value count.
    const unsigned char negative[] = {0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    for (auto bytes : {std::vector<unsigned char>(std::begin(hostileColumns), std::end(hostileColumns)),
                       std::vector<unsigned char>(std::begin(hostileValues), std::end(hostileValues)),
                       std::vector<unsigned char>(std::begin(negative), std::end(negative))}) {
        CMemFile file;
        file.Write(bytes.data(), bytes.size());
        file.SeekToBegin();
        CArchive ar(file, CArchive::Mode::Load);
        CDataSet set;
        try {
            set.Serialize(ar);
            FAIL() << "hostile data set was accepted";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::badFormat);
        }
    }
}

}  // namespace
}  // namespace kv
