#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CArchive.h"
#include "platform/CMemFile.h"

namespace kv {
namespace {

std::vector<unsigned char> Bytes(const CMemFile& f) { return std::vector<unsigned char>(f.Data(), f.Data() + f.GetLength()); }

std::string StoreAndLoadString(const std::string& s, size_t& storedLength, std::vector<unsigned char>* head = nullptr) {
    CMemFile f;
    {
        CArchive ar(f, CArchive::Mode::Store);
        ar.WriteString(s);
    }
    storedLength = f.GetLength();
    if (head) head->assign(f.Data(), f.Data() + std::min<size_t>(7, f.GetLength()));
    f.SeekToBegin();
    CArchive ar(f, CArchive::Mode::Load);
    return ar.ReadString();
}

TEST(Archive, NumbersAreLittleEndian) {
    CMemFile f;
    {
        CArchive ar(f, CArchive::Mode::Store);
        ar.WriteU16(0x1234);
        ar.WriteI32(-2);
        ar.WriteF32(1.0f);
        ar.WriteF64(-2.0);
        ar.WriteI16(-1);
    }
    std::vector<unsigned char> expected = {0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F,
                                           0, 0, 0, 0, 0, 0, 0x00, 0xC0, 0xFF, 0xFF};
    EXPECT_EQ(Bytes(f), expected);
    f.SeekToBegin();
    CArchive ar(f, CArchive::Mode::Load);
    EXPECT_EQ(ar.ReadU16(), 0x1234);
    EXPECT_EQ(ar.ReadI32(), -2);
    EXPECT_EQ(ar.ReadF32(), 1.0f);
    EXPECT_EQ(ar.ReadF64(), -2.0);
    EXPECT_EQ(ar.ReadI16(), -1);
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_THROW(ar.ReadU8(), CArchiveException);
}

TEST(Archive, TextLengthPrefixesInAllWrittenForms) {
    size_t stored;
    std::vector<unsigned char> head;
    EXPECT_EQ(StoreAndLoadString("", stored, &head), "");
    EXPECT_EQ(stored, 1u);
    std::string s254(254, 'a');
    EXPECT_EQ(StoreAndLoadString(s254, stored, &head), s254);
    EXPECT_EQ(stored, 255u);
    EXPECT_EQ(head[0], 254);
    std::string s300(300, 'b');
    EXPECT_EQ(StoreAndLoadString(s300, stored, &head), s300);
    EXPECT_EQ(stored, 303u);
    EXPECT_EQ(head[0], 0xFF);
    EXPECT_EQ(head[1], 0x2C);
    EXPECT_EQ(head[2], 0x01);
    std::string s255(255, 'c');
    EXPECT_EQ(StoreAndLoadString(s255, stored, &head), s255);
    EXPECT_EQ(head[0], 0xFF);
    EXPECT_EQ(stored, 258u);
    std::string big(70000, 'd');
    EXPECT_EQ(StoreAndLoadString(big, stored, &head), big);
    EXPECT_EQ(stored, 70007u);
    EXPECT_EQ((std::vector<unsigned char>(head.begin(), head.begin() + 7)),
              (std::vector<unsigned char>{0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));
    // 65534 already needs the 32-bit form: 0xFFFE would announce wide text.
    std::string edge(65534, 'e');
    EXPECT_EQ(StoreAndLoadString(edge, stored, &head), edge);
    EXPECT_EQ(stored, 65541u);
}

std::string LoadBytes(const std::vector<unsigned char>& bytes) {
    CMemFile f;
    f.Write(bytes.data(), bytes.size());
    f.SeekToBegin();
    CArchive ar(f, CArchive::Mode::Load);
    return ar.ReadString();
}

TEST(Archive, ReadsWideTextAndSixtyFourBitLengths) {
    // 0xFF 0xFFFE announces UTF-16 text, then the length again.
    EXPECT_EQ(LoadBytes({0xFF, 0xFE, 0xFF, 2, 'h', 0, 'i', 0}), "hi");
    EXPECT_EQ(LoadBytes({0xFF, 0xFE, 0xFF, 1, 0xE9, 0x00}), "\xC3\xA9");  // e acute
    EXPECT_EQ(LoadBytes({0xFF, 0xFE, 0xFF, 2, 0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80");
    // A 32-bit length of 0xFFFFFFFF is followed by a 64-bit length.
    EXPECT_EQ(LoadBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0, 'x', 'y', 'z'}), "xyz");
    EXPECT_EQ(LoadBytes({0xFF, 0x03, 0x00, 'a', 'b', 'c'}), "abc");
}

TEST(Archive, RefusesLengthsBeyondTheEndOfTheData) {
    try {
        LoadBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'});
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badFormat);
    }
    try {
        LoadBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badFormat);
    }
    EXPECT_THROW(LoadBytes({5, 'a', 'b'}), CArchiveException);
    EXPECT_THROW(LoadBytes({}), CArchiveException);
}

TEST(Archive, LargeBlocksBypassTheBufferIntact) {
    std::vector<double> values(100000);
    for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<double>(i) * 0.5 - 7;
    CMemFile f(32768);
    {
        CArchive ar(f, CArchive::Mode::Store, 4096);
        ar.WriteU8(9);
        ar.WriteDoubles(values.data(), values.size());
        ar.WriteU8(10);
    }
    EXPECT_EQ(f.GetLength(), 2 + 8 * values.size());
    EXPECT_EQ(f.Capacity() % 32768, 0u);
    f.SeekToBegin();
    CArchive ar(f, CArchive::Mode::Load, 4096);
    EXPECT_EQ(ar.ReadU8(), 9);
    std::vector<double> back(values.size());
    ar.ReadDoubles(back.data(), back.size());
    EXPECT_EQ(back, values);
    EXPECT_EQ(ar.ReadU8(), 10);
}

TEST(Archive, SerializeHelpersZeroExtendSixteenBitMembers) {
    CMemFile f;
    int32_t wide = -1;
    {
        CArchive ar(f, CArchive::Mode::Store);
        ar.SerializeAsU16(wide);
    }
    f.SeekToBegin();
    CArchive ar(f, CArchive::Mode::Load);
    int32_t back = 0;
    ar.SerializeAsU16(back);
    EXPECT_EQ(back, 65535);
}

}  // namespace
}  // namespace kv
