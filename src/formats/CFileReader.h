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
    // (nothing left to read), and for a line longer than kMaxLine bytes:
    // LineTooLong() then tells, and no further line is returned.
    bool NextLine(const char*& begin, const char*& end);
    // True after NextLine met a line longer than kMaxLine.
    bool LineTooLong() const { return m_bLineTooLong; }
    // The number of lines NextLine has returned (the current line's number),
    // or, after LineTooLong, the number of the line that was too long.
    uint64_t LineNumber() const { return m_nLine; }
    // Reads up to count bytes; returns the number read (less only at the end
    // of the file or on an error).
    size_t Read(void* data, size_t count);
    // Reads up to count bytes from the given offset of a regular file,
    // without moving the position or touching the buffer, so several threads
    // may call it at once. Returns the number read: less at the end of the
    // file, and 0 for a file that is not open or not a regular file; on an
    // error, failed (when given) becomes true.
    size_t ReadAt(void* data, size_t count, uint64_t offset, bool* failed = nullptr) const;
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
    // True for a regular file, whose size is known.
    bool SizeKnown() const { return m_bSizeKnown; }
    // The position of the next byte to read.
    uint64_t Tell() const { return m_nFilePos - (m_nEnd - m_nPos); }
    // The bytes left after the position; the largest value when the size is
    // not known (a pipe).
    uint64_t Remaining() const;

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
    bool m_bLineTooLong = false;
    bool m_bSizeKnown = false;
    uint64_t m_nSize = 0;
    uint64_t m_nFilePos = 0;  // position of the underlying file (after the buffered bytes)
    uint64_t m_nLine = 0;
};

}  // namespace kv
