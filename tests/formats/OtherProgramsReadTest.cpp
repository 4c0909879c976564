// Files the program writes, read by the tools engineers use with them:
// NumPy, Python's wave module and sox (installed by scripts/install-deps.sh;
// the test is skipped where they are missing).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <limits>

#include "data/CWavFmt.h"
#include "formats/FormatCatalogue.h"
#include "formats/SignalFiles.h"
#include "formats/FormatsTestSupport.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::MakeData;

namespace {

bool HaveTools() {
    return std::system("/usr/bin/python3 -c 'import numpy, wave' >/dev/null 2>&1") == 0 &&
           std::system("sox --version >/dev/null 2>&1") == 0;
}

// Runs a Python script in the directory; true when it ends with status 0.
bool RunPython(const CTempDir& dir, const std::string& script, std::string& output) {
    std::ofstream(dir / "check.py") << script;
    const std::string command =
        "cd '" + dir.Path() + "' && /usr/bin/python3 check.py > check.out 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(dir / "check.out");
    output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return status == 0;
}

}  // namespace

TEST(OtherProgramsRead, NumPyWaveAndSoxTakeTheFilesExactly) {
    if (!HaveTools()) GTEST_SKIP() << "python3 with numpy, or sox, is not installed";
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO complex = MakeData({0.1, -2.5, 1e-300}, {3.0, 0.0, -0.0});
    CDataSetIO real = MakeData({0.5, -1e-7, 12345.678});
    CDataFormat npy(FMT_BINARY_NPY);
    ASSERT_TRUE(WriteSignalFile(complex, npy, dir / "c.npy", 0, 1, 1));
    ASSERT_TRUE(WriteSignalFile(real, npy, dir / "r.npy", 0, kNoColumn, 1));

    // WAVE: 16-bit stereo at the project's 48 kHz, 24-bit mono, 32-bit floats.
    CDataSetIO audio = MakeData({1.0, -32768 / 32767.0, 0.25, 0.0}, {-1.0, 0.5, -0.25, 1 / 32767.0});
    CDataFormat w16(FMT_BINARY_WAVE);
    w16.m_WavFmt.m_nSizeChoice = CWavFmt::SIZE_16;
    w16.m_WavFmt.m_nRateChoice = CWavFmt::kRateProject;
    w16.SetDataRate(48000.0);
    ASSERT_TRUE(WriteSignalFile(audio, w16, dir / "s16.wav", 0, 1, 1));
    CDataFormat w24(FMT_BINARY_WAVE);
    w24.m_WavFmt.m_nSizeChoice = CWavFmt::SIZE_24;
    w24.m_WavFmt.m_nRateChoice = 2;
    CDataSetIO mono = MakeData({1.0, -1.0, 0.5});
    ASSERT_TRUE(WriteSignalFile(mono, w24, dir / "m24.wav", 0, kNoColumn, 1));
    CDataFormat wf(FMT_BINARY_WAVE);
    wf.m_WavFmt.m_nSizeChoice = CWavFmt::SIZE_FLOAT32;
    wf.m_WavFmt.m_nRateChoice = 0;
    ASSERT_TRUE(WriteSignalFile(mono, wf, dir / "f32.wav", 0, kNoColumn, 1));

    CDataFormat sigmf(FMT_BINARY_SIGMF);
    sigmf.SetDataRate(2.4e6);
    ASSERT_TRUE(WriteSignalFile(complex, sigmf, dir / "rec.sigmf-meta", 0, 1, 1));
    CDataFormat csv(FMT_TEXT_CSV);
    ASSERT_TRUE(WriteSignalFile(complex, csv, dir / "c.csv", 0, 1, 1));
    CDataFormat i16(FMT_BINARY_INT16);
    CDataSetIO iq = MakeData({0.1, -1.0, 1e-300}, {0.999, 0.0, -0.0});
    ASSERT_TRUE(WriteSignalFile(iq, i16, dir / "iq.bin", 0, 1, 1));
    EXPECT_TRUE(platform.messages.empty());

    std::string out;
    ASSERT_TRUE(RunPython(dir, R"PY(
import json, math, subprocess, wave
import numpy as np

c = np.load("c.npy")
assert c.dtype == np.complex128 and c.shape == (3,), (c.dtype, c.shape)
assert c.tolist() == [complex(0.1, 3.0), complex(-2.5, 0.0), complex(1e-300, -0.0)], c.tolist()
assert math.copysign(1.0, c[2].imag) == -1.0
r = np.load("r.npy")
assert r.dtype == np.float64 and r.shape == (3,) and r.tolist() == [0.5, -1e-7, 12345.678], r

with wave.open("s16.wav") as w:
    assert (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes()) == (2, 2, 48000, 4), w.getparams()
    s = np.frombuffer(w.readframes(4), "<i2").reshape(4, 2)
assert s[:, 0].tolist() == [32767, -32768, 8192, 0] and s[:, 1].tolist() == [-32767, 16384, -8192, 1], s
with wave.open("m24.wav") as w:
    assert (w.getnchannels(), w.getsampwidth(), w.getframerate()) == (1, 3, 44100), w.getparams()
    b = w.readframes(3)
assert [int.from_bytes(b[k:k + 3], "little", signed=True) for k in (0, 3, 6)] == [8388607, -8388607, 4194304]

def sox(*args):
    return subprocess.run(["sox", *args], check=True, capture_output=True).stdout
assert sox("--i", "-r", "f32.wav").strip() == b"11025"
assert sox("--i", "-e", "f32.wav").strip() == b"Floating Point PCM"
# sox holds samples as 32-bit integers: 1.0 comes back as 1 - 2^-31.
f = np.frombuffer(sox("f32.wav", "-t", "f64", "-"), "<f8")
assert np.allclose(f, [1.0, -1.0, 0.5], rtol=0, atol=1e-9), f
assert sox("--i", "-b", "m24.wav").strip() == b"24"
assert np.frombuffer(sox("s16.wav", "-t", "s16", "-"), "<i2").tolist()[:4] == [32767, -32767, -32768, 16384]

meta = json.load(open("rec.sigmf-meta"))
g = meta["global"]
assert g["core:datatype"] == "cf64_le" and g["core:sample_rate"] == 2.4e6 and g["core:version"] == "1.2.0", g
assert meta["captures"] == [{"core:sample_start": 0}] and meta["annotations"] == [], meta
d = np.fromfile("rec.sigmf-data", "<c16")
assert d.tolist() == c.tolist(), d

t = np.loadtxt("c.csv", delimiter=",", skiprows=1)
assert t.tolist() == [[0.1, 3.0], [-2.5, 0.0], [1e-300, -0.0]], t
assert open("c.csv", newline="").readline() == "Inphase,Quadrature\r\n"

iq = np.fromfile("iq.bin", "<i2")
assert iq.tolist() == [3277, 32735, -32768, 0, 0, 0], iq
print("ok")
)PY",
                          out))
        << out;
    EXPECT_EQ(out, "ok\n");
}
