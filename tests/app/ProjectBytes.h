#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/CKalvoraDoc.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"

namespace kv::test {

// Builds the bytes of a project file field by field, little-endian.
class Bytes {
public:
    Bytes& u8(uint8_t v) {
        b.push_back(v);
        return *this;
    }
    Bytes& u16(uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& i16(int16_t v) { return u16(static_cast<uint16_t>(v)); }
    Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& i32(int32_t v) { return u32(static_cast<uint32_t>(v)); }
    Bytes& f32(float v) {
        uint32_t u;
        std::memcpy(&u, &v, 4);
        return u32(u);
    }
    Bytes& f64(double v) {
        uint64_t u;
        std::memcpy(&u, &v, 8);
        return u32(static_cast<uint32_t>(u)).u32(static_cast<uint32_t>(u >> 32));
    }
    Bytes& text(const std::string& s) {
        if (s.size() < 255) {
            u8(static_cast<uint8_t>(s.size()));
        } else {
            u8(0xFF).u16(static_cast<uint16_t>(s.size()));
        }
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& raw(const std::vector<uint8_t>& other) {
        b.insert(b.end(), other.begin(), other.end());
        return *this;
    }
    std::vector<uint8_t> b;
};

// The descriptor record of a format that was never chosen, as of version v.
inline Bytes& DefaultDescriptor(Bytes& out, int v = 20, uint16_t format = 0xFFFF) {
    out.u16(0).u16(0).u16(format);
    if (v >= 4) out.text("").text("").i32(1).text("   .text").i32(1).i32(0).text("").i32(0).i32(1).i32(1);
    if (v >= 5) {
        out.text("").text("float");
        if (v >= 16) out.text("f");
    }
    if (v >= 12) out.i32(16);
    return out;
}

// A Data Files record with no files chosen (both formats Text:Decimal), as of version v.
inline Bytes& DefaultDataFiles(Bytes& out, int v = 20) {
    out.text("").text("");
    if (v >= 6) out.u16(0);
    if (v >= 9) out.i32(0).i32(0);
    DefaultDescriptor(out, v, 0);
    DefaultDescriptor(out, v, 0);
    return out;
}

// The records of the six generator pages at their defaults.
inline Bytes& DefaultPages(Bytes& out) {
    out.u32(256).f32(1.0f).f32(0.0f).u16(2);                        // Sample
    out.u16(1).f32(30.0f).f32(1.0f).f32(1.0f).f32(0.0f);            // Modulation
    out.u16(1).f32(1.0f).u16(0).f32(0.0f).text(".AUD");             // Audio
    out.f32(-45.0f).u16(0);                                         // Noise
    out.f32(-300.0f).f32(-300.0f).f32(0.0f).f32(0.0f);              // IF Errors
    out.text("").text("");                                          // IF Filter
    return out;
}

// The bytes a document writes.
inline std::vector<uint8_t> Store(CKalvoraDoc& doc) {
    CMemFile file;
    CArchive ar(file, CArchive::Mode::Store);
    doc.Serialize(ar);
    ar.Close();
    return std::vector<uint8_t>(file.Data(), file.Data() + file.GetLength());
}

}  // namespace kv::test
