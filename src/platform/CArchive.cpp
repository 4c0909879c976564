#include "platform/CArchive.h"

#include <cstring>

namespace kv {

namespace {

// Values are kept in the file in little-endian order, as on the machines the
// program runs on; the conversions below are no-ops there.
static_assert(sizeof(float) == 4 && sizeof(double) == 8);

inline bool HostIsLittleEndian() {
    const uint16_t one = 1;
    unsigned char b;
    std::memcpy(&b, &one, 1);
    return b == 1;
}

}  // namespace

CArchive::CArchive(CFile& file, Mode mode, size_t bufferSize)
    : m_file(file), m_mode(mode), m_buffer(bufferSize ? bufferSize : 4096) {}

CArchive::~CArchive() {
    if (!m_bClosed && IsStoring()) {
        try {
            FlushBuffer();
        } catch (...) {
        }
    }
}

void CArchive::Close() {
    if (m_bClosed) return;
    if (IsStoring()) FlushBuffer();
    m_bClosed = true;
}

// ---------------------------------------------------------------------------
// storing

void CArchive::FlushBuffer() {
    if (m_nPos > 0) {
        m_file.Write(m_buffer.data(), m_nPos);
        m_nPos = 0;
    }
}

void CArchive::WriteBytes(const void* data, size_t count) {
    if (count == 0) return;
    const unsigned char* p = static_cast<const unsigned char*>(data);
    if (count >= m_buffer.size()) {
        // Large blocks go straight to the file: one copy only.
        FlushBuffer();
        m_file.Write(p, count);
        return;
    }
    if (m_nPos + count > m_buffer.size()) FlushBuffer();
    std::memcpy(m_buffer.data() + m_nPos, p, count);
    m_nPos += count;
}

void CArchive::WriteU8(uint8_t v) { WriteBytes(&v, 1); }

void CArchive::WriteU16(uint16_t v) {
    unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    WriteBytes(b, 2);
}

void CArchive::WriteU32(uint32_t v) {
    unsigned char b[4];
    for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(v >> (8 * i));
    WriteBytes(b, 4);
}

void CArchive::WriteU64(uint64_t v) {
    unsigned char b[8];
    for (int i = 0; i < 8; ++i) b[i] = static_cast<unsigned char>(v >> (8 * i));
    WriteBytes(b, 8);
}

void CArchive::WriteF32(float v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    WriteU32(u);
}

void CArchive::WriteF64(double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    WriteU64(u);
}

void CArchive::WriteString(const std::string& s) {
    size_t n = s.size();
    if (n < 255) {
        WriteU8(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(static_cast<uint16_t>(n));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(static_cast<uint32_t>(n));
    }
    WriteBytes(s.data(), n);
}

void CArchive::WriteDoubles(const double* values, size_t count) {
    if (HostIsLittleEndian()) {
        WriteBytes(values, count * sizeof(double));
    } else {
        for (size_t i = 0; i < count; ++i) WriteF64(values[i]);
    }
}

void CArchive::WriteShared(const CSharedBytes& block) {
    if (block.m_nBytes == 0) return;
    if (HostIsLittleEndian()) {
        FlushBuffer();
        if (m_file.WriteShared(block)) return;
    }
    WriteBytes(block.m_pData, block.m_nBytes);
}

// ---------------------------------------------------------------------------
// loading

bool CArchive::ReadShared(size_t count, CSharedBytes& block) {
    if (count == 0 || !IsLoading()) return false;
    const uint64_t position = m_file.GetPosition() - (m_nEnd - m_nPos);
    const CSharedBytes* found = m_file.SharedBlockAt(position, count);
    if (!found) return false;
    block = *found;
    // What the buffer holds beyond the position is read again from the file.
    m_nFileConsumed = m_nFileConsumed + count - (m_nEnd - m_nPos);
    m_nPos = m_nEnd = 0;
    m_file.SeekTo(position + count);
    return true;
}

void CArchive::Fill(void* data, size_t count) {
    if (count == 0) return;
    unsigned char* p = static_cast<unsigned char*>(data);
    size_t avail = m_nEnd - m_nPos;
    if (avail >= count) {
        std::memcpy(p, m_buffer.data() + m_nPos, count);
        m_nPos += count;
        return;
    }
    std::memcpy(p, m_buffer.data() + m_nPos, avail);
    m_nPos = m_nEnd;
    p += avail;
    count -= avail;
    if (count >= m_buffer.size()) {
        // Large blocks come straight from the file.
        size_t got = m_file.Read(p, count);
        m_nFileConsumed += got;
        if (got != count) throw CArchiveException{CArchiveException::endOfFile};
        return;
    }
    while (count > 0) {
        size_t got = m_file.Read(m_buffer.data(), m_buffer.size());
        m_nFileConsumed += got;
        m_nPos = 0;
        m_nEnd = got;
        if (got == 0) throw CArchiveException{CArchiveException::endOfFile};
        size_t n = got < count ? got : count;
        std::memcpy(p, m_buffer.data(), n);
        m_nPos = n;
        p += n;
        count -= n;
    }
}

void CArchive::ReadBytes(void* data, size_t count) { Fill(data, count); }

uint8_t CArchive::ReadU8() {
    uint8_t v;
    Fill(&v, 1);
    return v;
}

uint16_t CArchive::ReadU16() {
    unsigned char b[2];
    Fill(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t CArchive::ReadU32() {
    unsigned char b[4];
    Fill(b, 4);
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | b[i];
    return v;
}

uint64_t CArchive::ReadU64() {
    unsigned char b[8];
    Fill(b, 8);
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | b[i];
    return v;
}

float CArchive::ReadF32() {
    uint32_t u = ReadU32();
    float v;
    std::memcpy(&v, &u, 4);
    return v;
}

double CArchive::ReadF64() {
    uint64_t u = ReadU64();
    double v;
    std::memcpy(&v, &u, 8);
    return v;
}

uint64_t CArchive::Remaining() const {
    uint64_t length = m_file.GetLength();
    uint64_t consumedFromFile = m_file.GetPosition();
    uint64_t fileLeft = length > consumedFromFile ? length - consumedFromFile : 0;
    return fileLeft + (m_nEnd - m_nPos);
}

void CArchive::CheckRemaining(uint64_t count, uint64_t itemSize) const {
    if (itemSize != 0 && count > Remaining() / itemSize) throw CArchiveException{CArchiveException::badFormat};
}

std::string CArchive::ReadString() {
    // Length prefix: one byte below 0xFF; 0xFF then a u16 below 0xFFFE;
    // 0xFF 0xFFFF then a u32 (0xFFFFFFFF announcing a u64). The u16 0xFFFE
    // announces 16-bit characters, after which the length follows again.
    bool wide = false;
    uint64_t n = ReadU8();
    if (n == 0xFF) {
        n = ReadU16();
        if (n == 0xFFFE) {
            wide = true;
            n = ReadU8();
            if (n == 0xFF) n = ReadU16();
        }
        if (n == 0xFFFF) {
            n = ReadU32();
            if (n == 0xFFFFFFFFu) n = ReadU64();
        }
    }
    if (!wide) {
        CheckRemaining(n, 1);
        std::string s(static_cast<size_t>(n), '\0');
        if (n) Fill(s.data(), static_cast<size_t>(n));
        return s;
    }
    CheckRemaining(n, 2);
    std::vector<uint16_t> units(static_cast<size_t>(n));
    for (auto& u : units) u = ReadU16();
    // UTF-16 to UTF-8.
    std::string s;
    s.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        uint32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            s += static_cast<char>(c);
        } else if (c < 0x800) {
            s += static_cast<char>(0xC0 | (c >> 6));
            s += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            s += static_cast<char>(0xE0 | (c >> 12));
            s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            s += static_cast<char>(0xF0 | (c >> 18));
            s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return s;
}

void CArchive::ReadDoubles(double* values, size_t count) {
    CheckRemaining(count, sizeof(double));
    if (HostIsLittleEndian()) {
        Fill(values, count * sizeof(double));
    } else {
        for (size_t i = 0; i < count; ++i) values[i] = ReadF64();
    }
}

}  // namespace kv
