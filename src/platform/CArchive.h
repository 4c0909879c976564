#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/CFile.h"

namespace kv {

// Raised when an archive being loaded ends early (endOfFile) or holds a count
// or length that cannot be right (badFormat).
struct CArchiveException {
    enum Cause { endOfFile, badFormat };
    Cause m_cause = endOfFile;
};

// Reads or writes little-endian numbers and length-prefixed texts over a
// file, through a buffer. The archive does not own the file.
class CArchive {
public:
    enum class Mode { Store, Load };
    CArchive(CFile& file, Mode mode, size_t bufferSize = 4096);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_mode == Mode::Store; }
    bool IsLoading() const { return m_mode == Mode::Load; }
    // Writes what is buffered (storing); the destructor does it too but
    // cannot report a failure, so callers that care call Close.
    void Close();

    // ---- storing -----------------------------------------------------------
    void WriteU8(uint8_t v);
    void WriteU16(uint16_t v);
    void WriteI16(int16_t v) { WriteU16(static_cast<uint16_t>(v)); }
    void WriteU32(uint32_t v);
    void WriteI32(int32_t v) { WriteU32(static_cast<uint32_t>(v)); }
    void WriteU64(uint64_t v);
    void WriteF32(float v);
    void WriteF64(double v);
    void WriteString(const std::string& s);
    void WriteDoubles(const double* values, size_t count);
    void WriteBytes(const void* data, size_t count);
    // The bytes of a shared block: held by reference when the file keeps
    // blocks that way (an undo snapshot), otherwise written as bytes.
    void WriteShared(const CSharedBytes& block);

    // ---- loading -------------------------------------------------------------
    uint8_t ReadU8();
    uint16_t ReadU16();
    int16_t ReadI16() { return static_cast<int16_t>(ReadU16()); }
    uint32_t ReadU32();
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    uint64_t ReadU64();
    float ReadF32();
    double ReadF64();
    std::string ReadString();
    void ReadDoubles(double* values, size_t count);
    void ReadBytes(void* data, size_t count);
    // When the next count bytes are a block the file holds by reference,
    // steps over them and gives the block; otherwise reads nothing and
    // returns false (the caller then reads the bytes).
    bool ReadShared(size_t count, CSharedBytes& block);
    // Bytes not yet read (loading).
    uint64_t Remaining() const;
    // Raises badFormat unless count items of itemSize bytes can still be read.
    void CheckRemaining(uint64_t count, uint64_t itemSize) const;

    // ---- bidirectional helpers for Serialize ---------------------------------
    void Serialize(uint16_t& v) { IsStoring() ? WriteU16(v) : void(v = ReadU16()); }
    void Serialize(int32_t& v) { IsStoring() ? WriteI32(v) : void(v = ReadI32()); }
    void Serialize(uint32_t& v) { IsStoring() ? WriteU32(v) : void(v = ReadU32()); }
    void Serialize(float& v) { IsStoring() ? WriteF32(v) : void(v = ReadF32()); }
    void Serialize(double& v) { IsStoring() ? WriteF64(v) : void(v = ReadF64()); }
    void Serialize(std::string& s) { IsStoring() ? WriteString(s) : void(s = ReadString()); }
    // A 32-bit member kept in the file as u16 (zero-extended on reading).
    void SerializeAsU16(int32_t& v) {
        IsStoring() ? WriteU16(static_cast<uint16_t>(v)) : void(v = static_cast<int32_t>(ReadU16()));
    }

private:
    void FlushBuffer();
    void Fill(void* data, size_t count);

    CFile& m_file;
    Mode m_mode;
    std::vector<unsigned char> m_buffer;
    size_t m_nPos = 0;   // next byte in the buffer
    size_t m_nEnd = 0;   // end of valid bytes in the buffer (loading)
    uint64_t m_nFileConsumed = 0;  // bytes taken from the file into the buffer (loading)
    bool m_bClosed = false;
};

}  // namespace kv
