#pragma once
#include <cstdio>
#include <string>

#include "platform/CFile.h"

namespace kv {

// A file on disk, opened for reading or for writing (binary, no translation).
class CDiskFile : public CFile {
public:
    enum class Mode { Read, Write };
    CDiskFile() = default;
    ~CDiskFile() override;
    CDiskFile(const CDiskFile&) = delete;
    CDiskFile& operator=(const CDiskFile&) = delete;

    // Returns false (with errno set) when the file cannot be opened.
    bool Open(const std::string& path, Mode mode);
    bool IsOpen() const { return m_pFile != nullptr; }
    // Flushes and closes; returns false when buffered data could not be written.
    bool Close();
    // Flushes the data to the disk itself (fsync); throws CFileException on failure.
    void Sync();

    size_t Read(void* buffer, size_t count) override;
    void Write(const void* buffer, size_t count) override;
    uint64_t GetPosition() const override;
    uint64_t GetLength() const override { return m_nLength; }
    void SeekToBegin() override;
    void Flush() override;

private:
    std::FILE* m_pFile = nullptr;
    uint64_t m_nLength = 0;
};

}  // namespace kv
