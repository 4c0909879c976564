#include "platform/CSnapshotFile.h"

#include <algorithm>
#include <cstring>

namespace kv {

size_t CSnapshotFile::SegmentAt(uint64_t position) const {
    // Reads go forward: the hint is nearly always right or one short.
    size_t i = m_nSegment < m_segments.size() ? m_nSegment : 0;
    if (m_segments[i].start > position) i = 0;
    while (m_segments[i].start + m_segments[i].length <= position) ++i;
    return i;
}

size_t CSnapshotFile::Read(void* buffer, size_t count) {
    unsigned char* out = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    while (done < count && m_nPosition < m_nLength) {
        const size_t i = SegmentAt(m_nPosition);
        m_nSegment = i;
        const Segment& s = m_segments[i];
        const uint64_t within = m_nPosition - s.start;
        const size_t n = static_cast<size_t>(std::min<uint64_t>(s.length - within, count - done));
        const unsigned char* from = s.shared ? m_shared[s.offset].m_pData + within : m_bytes.data() + s.offset + within;
        std::memcpy(out + done, from, n);
        done += n;
        m_nPosition += n;
    }
    return done;
}

void CSnapshotFile::Write(const void* buffer, size_t count) {
    if (count == 0) return;
    if (m_nPosition != m_nLength) {
        // Writing over earlier bytes: everything from the position on goes.
        if (m_nPosition == 0) {
            m_bytes.clear();
            m_shared.clear();
            m_segments.clear();
        } else {
            const size_t i = SegmentAt(m_nPosition);
            Segment& s = m_segments[i];
            s.length = m_nPosition - s.start;
            m_segments.resize(i + 1);
            if (!s.shared) m_bytes.resize(s.offset + static_cast<size_t>(s.length));
            size_t sharedUsed = 0;
            for (const Segment& t : m_segments)
                if (t.shared) sharedUsed = t.offset + 1;
            m_shared.resize(sharedUsed);
            if (s.length == 0) m_segments.pop_back();
        }
        m_nLength = m_nPosition;
        m_nSegment = 0;
    }
    const unsigned char* p = static_cast<const unsigned char*>(buffer);
    if (m_segments.empty() || m_segments.back().shared)
        m_segments.push_back({m_nLength, 0, m_bytes.size(), false});
    m_bytes.insert(m_bytes.end(), p, p + count);
    m_segments.back().length += count;
    m_nLength += count;
    m_nPosition = m_nLength;
}

bool CSnapshotFile::WriteShared(const CSharedBytes& block) {
    if (m_nPosition != m_nLength) return false;
    if (block.m_nBytes == 0) return true;
    m_shared.push_back(block);
    m_segments.push_back({m_nLength, block.m_nBytes, m_shared.size() - 1, true});
    m_nLength += block.m_nBytes;
    m_nPosition = m_nLength;
    return true;
}

const CSharedBytes* CSnapshotFile::SharedBlockAt(uint64_t position, size_t count) const {
    if (position >= m_nLength) return nullptr;
    const auto it = std::lower_bound(m_segments.begin(), m_segments.end(), position,
                                     [](const Segment& s, uint64_t p) { return s.start < p; });
    if (it == m_segments.end() || it->start != position || !it->shared || it->length != count) return nullptr;
    return &m_shared[it->offset];
}

void CSnapshotFile::SeekTo(uint64_t position) { m_nPosition = std::min(position, m_nLength); }

}  // namespace kv
