#include "formats/WaveFiles.h"

#include <cstring>

#include "formats/CFileReader.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;
// Bytes 2 to 15 of the sub-format GUID of an extensible header: the first
// two bytes hold the format tag of the samples.
constexpr uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                   0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

bool Refuse(StringId message) {
    ErrorBox(LoadString(message));
    return false;
}

bool SampleEncodingSupported(uint16_t tag, uint16_t bits) {
    if (tag == kTagPcm) return bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (tag == kTagFloat) return bits == 32 || bits == 64;
    return false;
}

int32_t SizeChoiceOf(uint16_t tag, uint16_t bits) {
    if (tag == kTagFloat) return bits == 64 ? CWavFmt::SIZE_FLOAT64 : CWavFmt::SIZE_FLOAT32;
    return bits / 8 - 1;
}

}  // namespace

uint32_t WaveSampleRate(int32_t rateChoice) {
    switch (rateChoice) {
        case 0: return 11025;
        case 2: return 44100;
        default: return 22050;
    }
}

uint32_t WaveSampleRate(const CWavFmt& wav) {
    if (wav.m_nRateChoice == CWavFmt::kRateProject && wav.m_nProjectRate != 0) return wav.m_nProjectRate;
    return WaveSampleRate(wav.m_nRateChoice);
}

uint32_t WaveWriteBits(int32_t sizeChoice, bool& isFloat) {
    isFloat = sizeChoice == CWavFmt::SIZE_FLOAT32 || sizeChoice == CWavFmt::SIZE_FLOAT64;
    switch (sizeChoice) {
        case CWavFmt::SIZE_8: return 8;
        case CWavFmt::SIZE_24: return 24;
        case CWavFmt::SIZE_32:
        case CWavFmt::SIZE_FLOAT32: return 32;
        case CWavFmt::SIZE_FLOAT64: return 64;
        default: return 16;  // any other choice, as 16 bits
    }
}

int32_t WaveFormatId(const CWavFmt& wav) {
    if (wav.m_header.m_nFormatTag == kTagFloat) return FMT_BINARY_WAVE;
    switch (wav.m_header.m_nBitsPerSample) {
        case 8: return FMT_WAVE_8;
        case 16: return FMT_WAVE_16;
        default: return FMT_BINARY_WAVE;
    }
}

bool ReadWaveHeader(CWavFmt& wav, CFileReader& file, uint32_t& frames) {
    frames = 0;
    uint8_t riff[20];
    if (file.Read(riff, sizeof riff) != sizeof riff || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0 || std::memcmp(riff + 12, "fmt ", 4) != 0)
        return Refuse(IDS_WAVE_NOT_VALID);
    const uint32_t fmtSize = Le32(riff + 16);
    // The fields up to the bits per sample take 16 bytes; a shorter chunk
    // cannot describe the samples.
    if (fmtSize < 16) return Refuse(IDS_WAVE_NOT_VALID);
    uint8_t fmt[40] = {};
    const uint32_t head = fmtSize < sizeof fmt ? fmtSize : static_cast<uint32_t>(sizeof fmt);
    if (file.Read(fmt, head) != head) return Refuse(IDS_WAVE_NOT_VALID);
    CWaveHeader h;
    h.m_nRiffSize = Le32(riff + 4);
    h.m_nFmtSize = fmtSize;
    h.m_nFormatTag = Le16(fmt);
    h.m_nChannels = Le16(fmt + 2);
    h.m_nSamplesPerSec = Le32(fmt + 4);
    h.m_nBytesPerSec = Le32(fmt + 8);
    h.m_nBlockAlign = Le16(fmt + 12);
    h.m_nBitsPerSample = Le16(fmt + 14);
    h.m_nExtraBytes = fmtSize >= 18 ? Le16(fmt + 16) : 0;
    if (h.m_nFormatTag == kTagExtensible) {
        // The sample encoding is in the sub-format GUID after 22 extra bytes
        // (valid bits, channel mask); the samples fill their containers.
        if (fmtSize < 40 || h.m_nExtraBytes < 22 || std::memcmp(fmt + 26, kGuidTail, sizeof kGuidTail) != 0)
            return Refuse(IDS_WAVE_UNSUPPORTED);
        h.m_nFormatTag = Le16(fmt + 24);
        file.Skip(fmtSize - head);
        if (fmtSize & 1) file.Skip(1);
    } else {
        if (fmtSize > 18) return Refuse(IDS_WAVE_UNKNOWN_FORMAT);
        if (h.m_nExtraBytes != 0) return Refuse(IDS_WAVE_UNSUPPORTED);
    }
    // A frame needs a channel, and each encoding has its own sample sizes.
    if (h.m_nChannels == 0 || !SampleEncodingSupported(h.m_nFormatTag, h.m_nBitsPerSample))
        return Refuse(IDS_WAVE_UNSUPPORTED);
    for (;;) {
        uint8_t chunk[8];
        if (file.Read(chunk, sizeof chunk) != sizeof chunk)
            return Refuse(file.Failed() ? IDS_WAVE_NOT_VALID : IDS_WAVE_NO_DATA);
        uint32_t size = Le32(chunk + 4);
        if (std::memcmp(chunk, "data", 4) == 0) {
            h.m_nDataSize = size;
            break;
        }
        file.Skip(size);
        // Chunks of odd size are followed by a pad byte in files that keep to
        // the RIFF rules; a zero byte cannot start a chunk name, so it is taken
        // as that pad.
        if ((size & 1) && file.Peek() == 0) file.Skip(1);
    }
    wav.m_header = h;
    wav.m_nSizeChoice = SizeChoiceOf(h.m_nFormatTag, h.m_nBitsPerSample);
    switch (h.m_nSamplesPerSec) {
        case 11025: wav.m_nRateChoice = 0; break;
        case 22050: wav.m_nRateChoice = 1; break;
        case 44100: wav.m_nRateChoice = 2; break;
        default:
            // The file's rate becomes the project's, and a write offers it.
            wav.m_nRateChoice = CWavFmt::kRateProject;
            wav.m_nProjectRate = h.m_nSamplesPerSec;
            break;
    }
    frames = h.m_nDataSize / h.m_nChannels / (h.m_nBitsPerSample / 8u);
    return true;
}

CSampleLayout WaveSampleLayout(const CWaveHeader& header) {
    CSampleLayout layout;
    layout.m_nPerFrame = header.m_nChannels;
    layout.m_nQuadrature = 1;
    if (header.m_nFormatTag == kTagFloat) {
        layout.m_type = header.m_nBitsPerSample == 64 ? SampleType::Float64 : SampleType::Float32;
        return layout;
    }
    switch (header.m_nBitsPerSample) {
        case 8:
            layout.m_type = SampleType::UInt8;
            layout.m_dOffset = 128.0;
            layout.m_dDivisor = 128.0;
            break;
        case 16:
            layout.m_type = SampleType::Int16;
            layout.m_dDivisor = 32767.0;
            break;
        case 24:
            layout.m_type = SampleType::Int24;
            layout.m_dDivisor = 8388607.0;
            break;
        default:
            layout.m_type = SampleType::Int32;
            layout.m_dDivisor = 2147483647.0;
            break;
    }
    return layout;
}

bool BuildWaveHeader(CWavFmt& wav, int32_t channels, int64_t frames, std::array<uint8_t, kWaveHeaderSize>& bytes) {
    bool isFloat;
    uint32_t bits = WaveWriteBits(wav.m_nSizeChoice, isFloat);
    uint32_t block = bits / 8 * static_cast<uint32_t>(channels);
    uint64_t dataSize = static_cast<uint64_t>(frames < 0 ? 0 : frames) * block;
    if (dataSize > 0xFFFFFFFFull - 38) return false;
    CWaveHeader h;
    h.m_nRiffSize = static_cast<uint32_t>(38 + dataSize);
    h.m_nFmtSize = 18;
    h.m_nFormatTag = isFloat ? kTagFloat : kTagPcm;
    h.m_nChannels = static_cast<uint16_t>(channels);
    h.m_nSamplesPerSec = WaveSampleRate(wav);
    const uint64_t perSecond = uint64_t{block} * h.m_nSamplesPerSec;
    h.m_nBytesPerSec = perSecond > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(perSecond);
    h.m_nBlockAlign = static_cast<uint16_t>(block);
    h.m_nBitsPerSample = static_cast<uint16_t>(bits);
    h.m_nExtraBytes = 0;
    h.m_nDataSize = static_cast<uint32_t>(dataSize);
    wav.m_header = h;
    uint8_t* p = bytes.data();
    std::memcpy(p, "RIFF", 4);
    Put32(p + 4, h.m_nRiffSize);
    std::memcpy(p + 8, "WAVE", 4);
    std::memcpy(p + 12, "fmt ", 4);
    Put32(p + 16, h.m_nFmtSize);
    Put16(p + 20, h.m_nFormatTag);
    Put16(p + 22, h.m_nChannels);
    Put32(p + 24, h.m_nSamplesPerSec);
    Put32(p + 28, h.m_nBytesPerSec);
    Put16(p + 32, h.m_nBlockAlign);
    Put16(p + 34, h.m_nBitsPerSample);
    Put16(p + 36, h.m_nExtraBytes);
    std::memcpy(p + 38, "data", 4);
    Put32(p + 42, h.m_nDataSize);
    return true;
}

bool WriteWaveHeader(CWavFmt& wav, std::FILE* file, int32_t channels, int64_t frames) {
    std::array<uint8_t, kWaveHeaderSize> bytes;
    if (!BuildWaveHeader(wav, channels, frames, bytes)) return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool WaveSampleRateKHz(const CDataFormat& format, double& kHz) {
    if (!format.IsWave()) return false;
    kHz = WaveSampleRate(format.m_WavFmt) / 1000.0;
    return true;
}

}  // namespace kv
