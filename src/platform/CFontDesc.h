#pragma once
#include <cstdint>
#include <string>

namespace kv {

// The description of a font, from which a drawing surface creates one and
// which it gives back for the font it actually made.
struct CFontDesc {
    enum Quality : int32_t { DefaultQuality = 0, DraftQuality = 1, ProofQuality = 2 };
    enum PitchAndFamily : int32_t {
        DefaultPitch = 0,
        FixedPitch = 1,
        VariablePitch = 2,
        FamilyRoman = 0x10,
        FamilySwiss = 0x20,
        FamilyModern = 0x30,
    };

    std::string m_strFace = "Arial";
    int32_t m_nHeight = 20;        // character cell height in pixels
    int32_t m_nWeight = 700;       // 400 normal, 700 bold
    int32_t m_nEscapement = 0;     // text direction in tenths of a degree, counter-clockwise
    int32_t m_nQuality = ProofQuality;
    int32_t m_nPitchAndFamily = VariablePitch | FamilySwiss;
    bool m_bItalic = false;

    bool operator==(const CFontDesc&) const = default;
};

}  // namespace kv
