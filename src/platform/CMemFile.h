#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/CFile.h"

namespace kv {

// A growable block of memory used as a file. The block grows in steps of
// the grow size; a block that cannot be grown raises std::bad_alloc.
class CMemFile : public CFile {
public:
    explicit CMemFile(size_t growBytes = 1024);
    ~CMemFile() override;
    CMemFile(const CMemFile&) = delete;
    CMemFile& operator=(const CMemFile&) = delete;

    size_t Read(void* buffer, size_t count) override;
    void Write(const void* buffer, size_t count) override;
    uint64_t GetPosition() const override { return m_nPosition; }
    uint64_t GetLength() const override { return m_nLength; }
    void SeekToBegin() override { m_nPosition = 0; }

    const unsigned char* Data() const { return m_pData; }
    // Makes room for size bytes at once (rounded up to the grow size), so
    // that writing them grows nothing.
    void Reserve(size_t size) { GrowTo(size); }
    // Empties the file but keeps its block for reuse.
    void Empty() { m_nLength = m_nPosition = 0; }
    size_t Capacity() const { return m_nCapacity; }

private:
    void GrowTo(size_t size);

    unsigned char* m_pData = nullptr;
    size_t m_nLength = 0;
    size_t m_nCapacity = 0;
    size_t m_nPosition = 0;
    size_t m_nGrowBytes;
};

}  // namespace kv
