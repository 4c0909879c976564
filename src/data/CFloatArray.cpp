#include "data/CFloatArray.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace kv {

CFloatArray::~CFloatArray() { std::free(m_pData); }

CFloatArray::CFloatArray(const CFloatArray& other) : m_nGrowBy(other.m_nGrowBy) {
    if (other.m_nSize > 0) {
        SetSize(other.m_nSize);
        std::memcpy(m_pData, other.m_pData, sizeof(double) * static_cast<size_t>(other.m_nSize));
    }
}

CFloatArray& CFloatArray::operator=(const CFloatArray& other) {
    if (this == &other) return *this;
    SetSize(0);
    if (other.m_nSize > 0) {
        SetSize(other.m_nSize);
        std::memcpy(m_pData, other.m_pData, sizeof(double) * static_cast<size_t>(other.m_nSize));
    }
    return *this;
}

CFloatArray::CFloatArray(CFloatArray&& other) noexcept
    : m_pData(other.m_pData), m_nSize(other.m_nSize), m_nMaxSize(other.m_nMaxSize), m_nGrowBy(other.m_nGrowBy) {
    other.m_pData = nullptr;
    other.m_nSize = other.m_nMaxSize = 0;
}

CFloatArray& CFloatArray::operator=(CFloatArray&& other) noexcept {
    if (this == &other) return *this;
    std::free(m_pData);
    m_pData = other.m_pData;
    m_nSize = other.m_nSize;
    m_nMaxSize = other.m_nMaxSize;
    m_nGrowBy = other.m_nGrowBy;
    other.m_pData = nullptr;
    other.m_nSize = other.m_nMaxSize = 0;
    return *this;
}

void CFloatArray::SetSize(int32_t n) {
    if (n < 0) throw std::bad_alloc();
    if (n == 0) {
        std::free(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (m_pData == nullptr) {
        void* p = std::malloc(sizeof(double) * static_cast<size_t>(n));
        if (!p) throw std::bad_alloc();
        m_pData = static_cast<double*>(p);
        m_nSize = m_nMaxSize = n;
        return;
    }
    if (n > m_nMaxSize) {
        int64_t capacity = static_cast<int64_t>(m_nMaxSize) + m_nGrowBy;
        if (n >= capacity) capacity = n;
        if (capacity > std::numeric_limits<int32_t>::max()) capacity = std::numeric_limits<int32_t>::max();
        // realloc remaps the pages of large blocks rather than copying them,
        // so growing by a fixed step stays linear in time.
        void* p = std::realloc(m_pData, sizeof(double) * static_cast<size_t>(capacity));
        if (!p) throw std::bad_alloc();
        m_pData = static_cast<double*>(p);
        m_nMaxSize = static_cast<int32_t>(capacity);
    }
    m_nSize = n;
}

}  // namespace kv
