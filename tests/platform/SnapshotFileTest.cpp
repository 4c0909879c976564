#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

#include "platform/CArchive.h"
#include "platform/CMemFile.h"
#include "platform/CSnapshotFile.h"

namespace kv {
namespace {

const char kKind = 0;

// A block of count bytes 0, 1, 2, ... (mod 256) starting at first.
CSharedBytes MakeBlock(size_t count, unsigned char first) {
    auto bytes = std::make_shared<std::vector<unsigned char>>(count);
    for (size_t i = 0; i < count; ++i) (*bytes)[i] = static_cast<unsigned char>(first + i);
    CSharedBytes block;
    block.m_pData = bytes->data();
    block.m_nBytes = count;
    block.m_pKind = &kKind;
    block.m_pOwner = bytes;
    return block;
}

std::vector<unsigned char> ReadAll(CFile& file) {
    file.SeekToBegin();
    std::vector<unsigned char> out(static_cast<size_t>(file.GetLength()) + 7);
    // Odd-sized reads cross the seams between own and shared bytes.
    size_t got = 0;
    for (size_t n; (n = file.Read(out.data() + got, 7)) > 0;) got += n;
    out.resize(got);
    return out;
}

TEST(SnapshotFile, ReadsBackOwnAndSharedBytesInTheOrderWritten) {
    CSnapshotFile file;
    const unsigned char head[] = {1, 2, 3};
    file.Write(head, 3);
    const CSharedBytes a = MakeBlock(100, 10), b = MakeBlock(50, 200);
    ASSERT_TRUE(file.WriteShared(a));
    ASSERT_TRUE(file.WriteShared(b));
    const unsigned char tail[] = {9, 8};
    file.Write(tail, 2);

    std::vector<unsigned char> expected(head, head + 3);
    expected.insert(expected.end(), a.m_pData, a.m_pData + 100);
    expected.insert(expected.end(), b.m_pData, b.m_pData + 50);
    expected.insert(expected.end(), tail, tail + 2);
    EXPECT_EQ(file.GetLength(), expected.size());
    EXPECT_EQ(ReadAll(file), expected);
    EXPECT_EQ(file.OwnBytes(), 5u);
    EXPECT_EQ(file.SharedBlockCount(), 2u);
    EXPECT_TRUE(file.SharesBlock(0));  // the test holds it too

    // Blocks are found only at their exact place and length.
    EXPECT_EQ(file.SharedBlockAt(3, 100)->m_pData, a.m_pData);
    EXPECT_EQ(file.SharedBlockAt(103, 50)->m_pData, b.m_pData);
    EXPECT_EQ(file.SharedBlockAt(3, 99), nullptr);
    EXPECT_EQ(file.SharedBlockAt(4, 99), nullptr);
    EXPECT_EQ(file.SharedBlockAt(0, 3), nullptr);

    // Reading from the middle of a block.
    file.SeekTo(50);
    unsigned char c = 0;
    ASSERT_EQ(file.Read(&c, 1), 1u);
    EXPECT_EQ(c, expected[50]);
}

TEST(SnapshotFile, KeepsItsBlocksAliveAndWritingOverEarlierBytesDropsTheRest) {
    CSnapshotFile file;
    {
        const CSharedBytes a = MakeBlock(64, 0);
        file.WriteShared(a);
    }
    EXPECT_FALSE(file.SharesBlock(0));  // the file is the last holder
    EXPECT_EQ(ReadAll(file)[63], 63);

    const unsigned char x[] = {7, 7};
    file.SeekTo(10);
    file.Write(x, 2);
    const std::vector<unsigned char> bytes = ReadAll(file);
    ASSERT_EQ(bytes.size(), 12u);
    EXPECT_EQ(bytes[9], 9);
    EXPECT_EQ(bytes[10], 7);
    EXPECT_EQ(bytes[11], 7);

    file.SeekToBegin();
    file.Write(x, 1);
    EXPECT_EQ(file.GetLength(), 1u);
    EXPECT_EQ(file.SharedBlockCount(), 0u);
}

// An archive keeps blocks by reference in a snapshot and copies them into
// any other file; the bytes are the same either way, and reading takes the
// block back only from where it was put.
TEST(SnapshotFile, ArchiveSharesBlocksOnlyWithFilesThatHoldThem) {
    const CSharedBytes block = MakeBlock(5000, 3);
    auto write = [&](CFile& f) {
        CArchive ar(f, CArchive::Mode::Store, 4096);
        ar.WriteI32(5000);
        ar.WriteShared(block);
        ar.WriteString("after");
        ar.Close();
    };
    CSnapshotFile snapshot;
    CMemFile plain;
    write(snapshot);
    write(plain);
    ASSERT_EQ(snapshot.GetLength(), plain.GetLength());
    EXPECT_EQ(ReadAll(snapshot), std::vector<unsigned char>(plain.Data(), plain.Data() + plain.GetLength()));
    EXPECT_EQ(snapshot.OwnBytes(), 4u + 6u);

    snapshot.SeekToBegin();
    CArchive in(snapshot, CArchive::Mode::Load, 4096);
    CSharedBytes taken;
    EXPECT_FALSE(in.ReadShared(5000, taken));  // the count comes first
    ASSERT_EQ(in.ReadI32(), 5000);
    EXPECT_FALSE(in.ReadShared(4999, taken));
    ASSERT_TRUE(in.ReadShared(5000, taken));
    EXPECT_EQ(taken.m_pData, block.m_pData);
    EXPECT_EQ(in.ReadString(), "after");

    plain.SeekToBegin();
    CArchive inPlain(plain, CArchive::Mode::Load, 4096);
    ASSERT_EQ(inPlain.ReadI32(), 5000);
    EXPECT_FALSE(inPlain.ReadShared(5000, taken));
    std::vector<unsigned char> bytes(5000);
    inPlain.ReadBytes(bytes.data(), bytes.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), block.m_pData));
    EXPECT_EQ(inPlain.ReadString(), "after");
}

}  // namespace
}  // namespace kv
