#pragma once
#include <cstdint>

namespace kv {

// A growable array of doubles. It grows in steps of m_nGrowBy values (or to
// the size asked for, if that is larger) and never shrinks unless emptied.
// An allocation that cannot be made raises std::bad_alloc.
class CFloatArray {
public:
    CFloatArray() = default;
    ~CFloatArray();
    CFloatArray(const CFloatArray& other);
    CFloatArray& operator=(const CFloatArray& other);
    CFloatArray(CFloatArray&& other) noexcept;
    CFloatArray& operator=(CFloatArray&& other) noexcept;

    void SetSize(int32_t n);
    void Append(double x) {
        if (m_nSize < m_nMaxSize) {
            m_pData[m_nSize++] = x;
        } else {
            SetSize(m_nSize + 1);
            m_pData[m_nSize - 1] = x;
        }
    }

    int32_t GetSize() const { return m_nSize; }
    int32_t GetMaxSize() const { return m_nMaxSize; }
    int32_t GetGrowBy() const { return m_nGrowBy; }
    double* GetData() { return m_pData; }
    const double* GetData() const { return m_pData; }
    double& operator[](int32_t i) { return m_pData[i]; }
    double operator[](int32_t i) const { return m_pData[i]; }
    double* begin() { return m_pData; }
    double* end() { return m_pData + m_nSize; }
    const double* begin() const { return m_pData; }
    const double* end() const { return m_pData + m_nSize; }

protected:
    double* m_pData = nullptr;
    int32_t m_nSize = 0;
    int32_t m_nMaxSize = 0;
    int32_t m_nGrowBy = 1024;
};

}  // namespace kv
