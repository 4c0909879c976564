#include "platform/CMemFile.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace kv {

CMemFile::CMemFile(size_t growBytes) : m_nGrowBytes(growBytes ? growBytes : 1024) {}

CMemFile::~CMemFile() { std::free(m_pData); }

void CMemFile::GrowTo(size_t size) {
    if (size <= m_nCapacity) return;
    size_t capacity = (size + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    // realloc remaps the pages of large blocks instead of copying them.
    void* p = std::realloc(m_pData, capacity);
    if (!p) throw std::bad_alloc();
    m_pData = static_cast<unsigned char*>(p);
    m_nCapacity = capacity;
}

size_t CMemFile::Read(void* buffer, size_t count) {
    if (m_nPosition >= m_nLength) return 0;
    size_t n = m_nLength - m_nPosition;
    if (n > count) n = count;
    std::memcpy(buffer, m_pData + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void CMemFile::Write(const void* buffer, size_t count) {
    if (count == 0) return;
    GrowTo(m_nPosition + count);
    std::memcpy(m_pData + m_nPosition, buffer, count);
    m_nPosition += count;
    if (m_nPosition > m_nLength) m_nLength = m_nPosition;
}

}  // namespace kv
