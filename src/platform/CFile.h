#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/CSharedBytes.h"

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

    // Files in memory may keep a shared block by reference instead of copying
    // its bytes; the bytes read back are the same either way. WriteShared
    // returns false when this file copies (the caller then writes the bytes).
    virtual bool WriteShared(const CSharedBytes&) { return false; }
    // The shared block that starts at a position and holds exactly count
    // bytes, or null. SeekTo moves the read position (files that hold shared
    // blocks, so that a reader can step over one it has taken).
    virtual const CSharedBytes* SharedBlockAt(uint64_t /*position*/, size_t /*count*/) const { return nullptr; }
    virtual void SeekTo(uint64_t /*position*/) {}
};

// An error writing or reading a file.
struct CFileException {
    int m_nErrno = 0;
};

}  // namespace kv
