#include "formats/CFileReader.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace kv {

namespace {
constexpr size_t kChunk = size_t{1} << 20;
}

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
    m_pFile = f;
    m_nSize = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
    m_nPos = m_nEnd = 0;
    m_bEof = m_bFailed = m_bSkipRest = false;
    return true;
}

void CFileReader::Close() {
    if (m_pFile) std::fclose(m_pFile);
    m_pFile = nullptr;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_nPos = m_nEnd = 0;
}

size_t CFileReader::Fill(size_t want) {
    size_t have = m_nEnd - m_nPos;
    if (have >= want || m_bEof || !m_pFile) return have;
    if (m_nPos > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_nPos, have);
        m_nPos = 0;
        m_nEnd = have;
    }
    size_t capacity = std::max(want, kChunk);
    if (m_buffer.size() < capacity) m_buffer.resize(std::max(capacity, 2 * m_buffer.size()));
    while (m_nEnd < want && !m_bEof) {
        size_t n = std::fread(m_buffer.data() + m_nEnd, 1, m_buffer.size() - m_nEnd, m_pFile);
        m_nEnd += n;
        if (n == 0) {
            m_bEof = true;
            if (std::ferror(m_pFile)) m_bFailed = true;
        }
    }
    return m_nEnd - m_nPos;
}

bool CFileReader::NextLine(const char*& begin, const char*& end) {
    if (!m_pFile) return false;
    if (m_bSkipRest) {
        // The rest of a line that was too long.
        for (;;) {
            if (Fill(1) == 0) return false;
            const char* b = m_buffer.data() + m_nPos;
            const void* nl = std::memchr(b, '\n', m_nEnd - m_nPos);
            if (nl) {
                m_nPos += static_cast<size_t>(static_cast<const char*>(nl) - b) + 1;
                break;
            }
            m_nPos = m_nEnd;
        }
        m_bSkipRest = false;
    }
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
        if (have >= kMaxLine) {
            lineLen = consumed = kMaxLine;
            m_bSkipRest = true;
            break;
        }
        if (m_bEof) {
            if (have == 0) return false;
            lineLen = consumed = have;
            break;
        }
        Fill(std::min(have + kChunk, kMaxLine));
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
    if (rest >= kChunk) {
        if (m_bEof) return done;
        size_t n = std::fread(out + done, 1, rest, m_pFile);
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
        count -= step;
    }
    m_bEof = false;
}

void CFileReader::Rewind() {
    if (!m_pFile) return;
    std::clearerr(m_pFile);
    fseeko(m_pFile, 0, SEEK_SET);
    m_nPos = m_nEnd = 0;
    m_bEof = m_bSkipRest = false;
}

int CFileReader::Peek() {
    if (Fill(1) == 0) return -1;
    return static_cast<unsigned char>(m_buffer[m_nPos]);
}

bool CFileReader::AtEnd() { return Fill(1) == 0; }

uint64_t CFileReader::Position() const {
    if (!m_pFile) return 0;
    const off_t at = ftello(m_pFile);
    return at < 0 ? 0 : static_cast<uint64_t>(at) - (m_nEnd - m_nPos);
}

}  // namespace kv
