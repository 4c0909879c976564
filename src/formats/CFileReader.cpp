#include "formats/CFileReader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {

namespace {
constexpr size_t kChunk = size_t{1} << 20;
constexpr size_t kSmallest = 4096;
constexpr size_t kDirect = size_t{64} << 10;
}  // namespace

CFileReader::~CFileReader() { Close(); }

bool CFileReader::Open(const std::string& path) {
    Close();
    if (path.empty()) return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    struct stat st {};
    // Directories hold no data, and devices (such as /dev/zero) may never end.
    if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode) || S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
        std::fclose(f);
        return false;
    }
    // The file is read through our own buffer only.
    std::setvbuf(f, nullptr, _IONBF, 0);
    m_pFile = f;
    m_bSizeKnown = S_ISREG(st.st_mode);
    m_nSize = m_bSizeKnown ? static_cast<uint64_t>(st.st_size) : 0;
    m_nPos = m_nEnd = 0;
    m_nFilePos = 0;
    m_nLine = 0;
    m_bEof = m_bFailed = m_bLineTooLong = false;
    return true;
}

void CFileReader::Close() {
    if (m_pFile) std::fclose(m_pFile);
    m_pFile = nullptr;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_nPos = m_nEnd = 0;
}

uint64_t CFileReader::Remaining() const {
    if (!m_bSizeKnown) return std::numeric_limits<uint64_t>::max();
    uint64_t at = Tell();
    return at < m_nSize ? m_nSize - at : 0;
}

size_t CFileReader::Fill(size_t want) {
    size_t have = m_nEnd - m_nPos;
    if (have >= want || m_bEof || !m_pFile) return have;
    if (m_nPos > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_nPos, have);
        m_nPos = 0;
        m_nEnd = have;
    }
    // The buffer is no larger than the file needs (small files are read
    // often, by tests and fuzzing), and at most one chunk beyond the request.
    size_t chunk = kChunk;
    if (m_bSizeKnown) chunk = static_cast<size_t>(std::clamp<uint64_t>(Remaining() + 1, kSmallest, kChunk));
    // It starts small and doubles: reading a header first needs little, and
    // the pages of a new buffer cost time of their own.
    chunk = std::min(chunk, std::max(kSmallest, 2 * m_buffer.size()));
    size_t capacity = std::max(want, chunk);
    if (m_buffer.size() < capacity) m_buffer.resize(std::max(capacity, std::min(2 * m_buffer.size(), capacity + kChunk)));
    while (m_nEnd < want && !m_bEof) {
        size_t n = std::fread(m_buffer.data() + m_nEnd, 1, m_buffer.size() - m_nEnd, m_pFile);
        m_nEnd += n;
        m_nFilePos += n;
        if (n == 0) {
            m_bEof = true;
            if (std::ferror(m_pFile)) m_bFailed = true;
        }
    }
    return m_nEnd - m_nPos;
}

bool CFileReader::NextLine(const char*& begin, const char*& end) {
    if (!m_pFile || m_bLineTooLong) return false;
    size_t scanned = 0;  // bytes after m_nPos already known to hold no line feed
    size_t lineLen, consumed;
    for (;;) {
        size_t have = m_nEnd - m_nPos;
        const char* b = m_buffer.data() + m_nPos;
        const void* nl = have > scanned ? std::memchr(b + scanned, '\n', have - scanned) : nullptr;
        if (nl) {
            lineLen = static_cast<size_t>(static_cast<const char*>(nl) - b);
            consumed = lineLen + 1;
            break;
        }
        scanned = have;
        if (have > kMaxLine) {
            // Carriage returns are dropped from lines, so they do not count
            // (up to a limit on the bytes held for one line).
            size_t returns = have > 2 * kMaxLine ? 0 : static_cast<size_t>(std::count(b, b + have, '\r'));
            if (have - returns > kMaxLine) {
                m_bLineTooLong = true;
                ++m_nLine;
                return false;
            }
        }
        if (m_bEof) {
            if (have == 0) return false;
            lineLen = consumed = have;
            break;
        }
        Fill(have + std::min(have + kSmallest, kChunk));
    }
    char* b = m_buffer.data() + m_nPos;
    char* e = b + lineLen;
    m_nPos += consumed;
    if (e > b && e[-1] == '\r') --e;
    if (char* cr = static_cast<char*>(std::memchr(b, '\r', static_cast<size_t>(e - b)))) {
        char* out = cr;
        for (char* p = cr; p < e; ++p)
            if (*p != '\r') *out++ = *p;
        e = out;
    }
    if (static_cast<size_t>(e - b) > kMaxLine) {
        m_bLineTooLong = true;
        ++m_nLine;
        return false;
    }
    ++m_nLine;
    begin = b;
    end = e;
    return true;
}

size_t CFileReader::Read(void* data, size_t count) {
    if (!m_pFile) return 0;
    char* out = static_cast<char*>(data);
    size_t done = 0;
    size_t have = m_nEnd - m_nPos;
    if (have) {
        size_t n = std::min(have, count);
        std::memcpy(out, m_buffer.data() + m_nPos, n);
        m_nPos += n;
        done = n;
    }
    if (done == count) return done;
    size_t rest = count - done;
    // Large requests go straight into the caller's memory (with what was
    // buffered before them copied first), not through the buffer.
    if (rest >= kDirect) {
        if (m_bEof) return done;
        size_t n = std::fread(out + done, 1, rest, m_pFile);
        m_nFilePos += n;
        if (n < rest) {
            m_bEof = true;
            if (std::ferror(m_pFile)) m_bFailed = true;
        }
        return done + n;
    }
    size_t avail = Fill(rest);
    size_t n = std::min(avail, rest);
    std::memcpy(out + done, m_buffer.data() + m_nPos, n);
    m_nPos += n;
    return done + n;
}

size_t CFileReader::ReadAt(void* data, size_t count, uint64_t offset, bool* failed) const {
    if (!m_pFile || !m_bSizeKnown) return 0;
    const int fd = fileno(m_pFile);
    char* out = static_cast<char*>(data);
    size_t done = 0;
    while (done < count) {
        const uint64_t at = offset + done;
        if (at > static_cast<uint64_t>(std::numeric_limits<off_t>::max())) break;
        ssize_t n = pread(fd, out + done, count - done, static_cast<off_t>(at));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && failed) *failed = true;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

void CFileReader::Skip(uint64_t count) {
    if (!m_pFile) return;
    size_t have = m_nEnd - m_nPos;
    if (count <= have) {
        m_nPos += static_cast<size_t>(count);
        return;
    }
    count -= have;
    m_nPos = m_nEnd = 0;
    // Seek relative to the current position in steps that fit the offset type.
    while (count > 0) {
        uint64_t step = std::min<uint64_t>(count, uint64_t{1} << 30);
        if (fseeko(m_pFile, static_cast<off_t>(step), SEEK_CUR) != 0) {
            m_bEof = true;
            return;
        }
        m_nFilePos += step;
        count -= step;
    }
    m_bEof = false;
}

void CFileReader::Rewind() {
    if (!m_pFile) return;
    std::clearerr(m_pFile);
    fseeko(m_pFile, 0, SEEK_SET);
    m_nPos = m_nEnd = 0;
    m_nFilePos = 0;
    m_nLine = 0;
    m_bEof = m_bLineTooLong = false;
}

int CFileReader::Peek() {
    if (Fill(1) == 0) return -1;
    return static_cast<unsigned char>(m_buffer[m_nPos]);
}

bool CFileReader::AtEnd() { return Fill(1) == 0; }

}  // namespace kv
