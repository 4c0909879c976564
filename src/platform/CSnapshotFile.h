#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/CFile.h"

namespace kv {

// A file in memory that keeps large blocks by reference: an undo snapshot.
// Its bytes, read in order, are those written, exactly as a file on disk
// would hold them; but a block written with WriteShared is held through its
// owner rather than copied, so snapshots of data that did not change share
// one copy of it with the document and with each other.
class CSnapshotFile : public CFile {
public:
    CSnapshotFile() = default;
    CSnapshotFile(const CSnapshotFile&) = delete;
    CSnapshotFile& operator=(const CSnapshotFile&) = delete;

    size_t Read(void* buffer, size_t count) override;
    void Write(const void* buffer, size_t count) override;
    uint64_t GetPosition() const override { return m_nPosition; }
    uint64_t GetLength() const override { return m_nLength; }
    void SeekToBegin() override { SeekTo(0); }
    bool WriteShared(const CSharedBytes& block) override;
    const CSharedBytes* SharedBlockAt(uint64_t position, size_t count) const override;
    void SeekTo(uint64_t position) override;

    // Bytes held by this file itself (the blocks held by reference not counted).
    uint64_t OwnBytes() const { return m_bytes.size(); }
    // Number of blocks held by reference.
    size_t SharedBlockCount() const { return m_shared.size(); }
    // Whether a block held by reference is also held by someone else.
    bool SharesBlock(size_t i) const { return m_shared[i].m_pOwner.use_count() > 1; }

private:
    // A stretch of the file: own bytes from m_bytes, or a shared block.
    struct Segment {
        uint64_t start;    // position in the file
        uint64_t length;
        size_t offset;     // own bytes: where in m_bytes; shared: index in m_shared
        bool shared;
    };
    // The segment that holds a position (position < length).
    size_t SegmentAt(uint64_t position) const;

    std::vector<unsigned char> m_bytes;
    std::vector<CSharedBytes> m_shared;
    std::vector<Segment> m_segments;
    uint64_t m_nLength = 0;
    uint64_t m_nPosition = 0;
    size_t m_nSegment = 0;  // segment of the read position (a hint)
};

}  // namespace kv
