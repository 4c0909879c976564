#pragma once
#include <cstddef>
#include <cstdint>

namespace kv {

// A stream of bytes the archive reads from or writes to.
class CFile {
public:
    virtual ~CFile() = default;
    // Reads up to count bytes; returns the number read (0 at the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Writes count bytes; throws CFileException when that fails.
    virtual void Write(const void* buffer, size_t count) = 0;
    virtual uint64_t GetPosition() const = 0;
    virtual uint64_t GetLength() const = 0;
    virtual void SeekToBegin() = 0;
    virtual void Flush() {}
};

// An error writing or reading a file.
struct CFileException {
    int m_nErrno = 0;
};

}  // namespace kv
