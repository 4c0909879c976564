#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kv {

// A file opened for reading raw bytes through a large buffer: text lines
// (as ReadTextLine reads them: a line feed ends a line, carriage returns are
// dropped wherever they stand) and blocks of bytes.
class CFileReader {
public:
    CFileReader() = default;
    ~CFileReader();
    CFileReader(const CFileReader&) = delete;
    CFileReader& operator=(const CFileReader&) = delete;

    // Returns false when the file cannot be opened, or is a directory or a
    // device.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_pFile != nullptr; }

    // The next line, without its line feed and carriage returns; [begin, end)
    // stays valid until the next call. Returns false at the end of the file
    // (nothing left to read). A line longer than kMaxLine is cut to its first
    // kMaxLine bytes; the rest of it is skipped.
    bool NextLine(const char*& begin, const char*& end);
    // Reads up to count bytes; returns the number read (less only at the end
    // of the file or on an error).
    size_t Read(void* data, size_t count);
    // The next byte without taking it, or -1 at the end of the file.
    int Peek();
    // Moves forward by count bytes (possibly past the end of the file).
    void Skip(uint64_t count);
    // Back to the first byte.
    void Rewind();
    // True when nothing is left to read.
    bool AtEnd();
    // True after a read error of the device (not the end of the file).
    bool Failed() const { return m_bFailed; }
    uint64_t FileSize() const { return m_nSize; }
    // Bytes taken so far (the position of the next byte to read).
    uint64_t Position() const;

    static constexpr size_t kMaxLine = size_t{16} << 20;

private:
    // Makes at least `want` bytes available after m_nPos if the file has them;
    // returns the number available.
    size_t Fill(size_t want);

    std::FILE* m_pFile = nullptr;
    std::vector<char> m_buffer;
    size_t m_nPos = 0;
    size_t m_nEnd = 0;
    bool m_bEof = false;
    bool m_bFailed = false;
    bool m_bSkipRest = false;  // the rest of a cut line is still to be skipped
    uint64_t m_nSize = 0;
};

}  // namespace kv
