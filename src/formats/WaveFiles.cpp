#include "formats/WaveFiles.h"

#include <cstring>

#include "formats/CFileReader.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

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

}  // namespace

uint32_t WaveSampleRate(int32_t rateChoice) {
    switch (rateChoice) {
        case 0: return 11025;
        case 2: return 44100;
        default: return 22050;
    }
}

int32_t WaveFormatId(const CWavFmt& wav) {
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
    uint32_t fmtSize = Le32(riff + 16);
    if (fmtSize > 18) return Refuse(IDS_WAVE_UNKNOWN_FORMAT);
    // The fields up to the bits per sample take 16 bytes; a shorter chunk
    // cannot describe the samples.
    uint8_t fmt[18] = {};
    if (fmtSize < 16 || file.Read(fmt, fmtSize) != fmtSize) return Refuse(IDS_WAVE_NOT_VALID);
    CWaveHeader h;
    h.m_nRiffSize = Le32(riff + 4);
    h.m_nFmtSize = fmtSize;
    h.m_nFormatTag = Le16(fmt);
    h.m_nChannels = Le16(fmt + 2);
    h.m_nSamplesPerSec = Le32(fmt + 4);
    h.m_nBytesPerSec = Le32(fmt + 8);
    h.m_nBlockAlign = Le16(fmt + 12);
    h.m_nBitsPerSample = Le16(fmt + 14);
    h.m_nExtraBytes = fmtSize == 18 ? Le16(fmt + 16) : 0;
    if (h.m_nFormatTag != 1 || h.m_nExtraBytes != 0) return Refuse(IDS_WAVE_UNSUPPORTED);
    // Only 8- and 16-bit samples have a layout, and a frame needs a channel.
    if (h.m_nChannels == 0 || (h.m_nBitsPerSample != 8 && h.m_nBitsPerSample != 16))
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
    wav.m_nSizeChoice = h.m_nBitsPerSample / 8 - 1;
    wav.m_nRateChoice = h.m_nSamplesPerSec == 11025 ? 0 : h.m_nSamplesPerSec == 22050 ? 1 : 2;
    frames = h.m_nDataSize / h.m_nChannels / (h.m_nBitsPerSample / 8u);
    return true;
}

bool BuildWaveHeader(CWavFmt& wav, int32_t channels, int64_t frames, std::array<uint8_t, kWaveHeaderSize>& bytes) {
    // A size choice other than 8 bits (0) is taken as 16 bits.
    uint32_t bits = wav.m_nSizeChoice == 0 ? 8 : 16;
    uint32_t block = bits / 8 * static_cast<uint32_t>(channels);
    uint64_t dataSize = static_cast<uint64_t>(frames < 0 ? 0 : frames) * block;
    if (dataSize > 0xFFFFFFFFull - 38) return false;
    CWaveHeader h;
    h.m_nRiffSize = static_cast<uint32_t>(38 + dataSize);
    h.m_nFmtSize = 18;
    h.m_nFormatTag = 1;
    h.m_nChannels = static_cast<uint16_t>(channels);
    h.m_nSamplesPerSec = WaveSampleRate(wav.m_nRateChoice);
    h.m_nBytesPerSec = block * h.m_nSamplesPerSec;
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
    kHz = WaveSampleRate(format.m_WavFmt.m_nRateChoice) / 1000.0;
    return true;
}

}  // namespace kv
