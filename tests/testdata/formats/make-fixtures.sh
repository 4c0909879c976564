#!/usr/bin/env bash
# Writes the signal files that the format tests read, with the tools that
# engineers use (Python's wave module, NumPy, sox) rather than with Kalvora.
# The files are committed; run this again only to change them:
#   bash tests/testdata/formats/make-fixtures.sh
# Needs /usr/bin/python3 with numpy, and sox.
set -euo pipefail
cd "$(dirname "$0")"
rm -f *.wav *.npy *.sigmf-meta *.sigmf-data *.ncd *.csv *.txt *.bin

/usr/bin/python3 - <<'PY'
import json, wave
import numpy as np

# Sixteen-bit words known by construction: the extremes, small values and
# ordinary ones. Left and right channels differ.
left = [0, 1, -1, 32767, -32768, 12345, -23456, 100]
right = [-32768, 32767, 2, -2, 0, -12345, 23456, -100]

def pcm(name, width, channels, rate, frames):
    with wave.open(name, "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(width)
        w.setframerate(rate)
        w.writeframes(frames)

# 16-bit stereo at 48 kHz, and 16-bit mono at 22.05 kHz.
pcm("pcm16-stereo-48k.wav", 2, 2, 48000, np.array([left, right], dtype="<i2").T.tobytes())
pcm("pcm16-mono-22k.wav", 2, 1, 22050, np.array(left, dtype="<i2").tobytes())
# 8-bit mono (unsigned bytes) at 8 kHz.
pcm("pcm8-mono-8k.wav", 1, 1, 8000, bytes([0, 1, 127, 128, 129, 200, 254, 255]))
# 24-bit mono: the 16-bit words scaled up, and the 24-bit extremes.
w24 = [v * 256 for v in left] + [8388607, -8388608]
pcm("pcm24-mono-96k.wav", 3, 1, 96000, b"".join(int(v).to_bytes(3, "little", signed=True) for v in w24))
# 32-bit stereo with the extremes.
w32 = [[2147483647, -2147483648], [65536, -65536], [1, -1]]
pcm("pcm32-stereo-44k.wav", 4, 2, 44100, np.array(w32, dtype="<i4").tobytes())

# NumPy arrays.
x = np.array([0.5, -0.25, 0.1, -1e-300, 3.0, -7.5], dtype=np.float64)
np.save("f8.npy", x)
np.save("f4.npy", x.astype(np.float32))
np.save("f8-big.npy", x.astype(">f8"))
c = np.array([0.5 - 0.25j, -1 + 2j, 0.1 + 0.2j], dtype=np.complex128)
np.save("c16.npy", c)
np.save("c8.npy", c.astype(np.complex64))
np.save("c16-big.npy", c.astype(">c16"))
ints = [0, 1, -1, 127, -128, 100]
np.save("i1.npy", np.array(ints, dtype=np.int8))
np.save("i2.npy", np.array([v * 256 for v in ints] + [32767, -32768], dtype=np.int16))
np.save("i2-big.npy", np.array([v * 256 for v in ints] + [32767, -32768], dtype=">i2"))
np.save("i4.npy", np.array([2147483647, -2147483648, 65536], dtype=np.int32))
pairs = np.array([[1.0, 2.0], [3.0, 4.0], [5.0, 6.0]])
np.save("f8-two-columns.npy", pairs)
np.save("f8-two-columns-fortran.npy", np.asfortranarray(pairs))
np.save("f8-one-column.npy", pairs[:, :1].copy())
np.save("f8-scalar.npy", np.float64(2.5))
with open("f8-version2.npy", "wb") as f:
    np.lib.format.write_array(f, x, version=(2, 0))
with open("f8-version3.npy", "wb") as f:
    np.lib.format.write_array(f, x, version=(3, 0))
np.save("f8-two-rows.npy", pairs.T.copy())
np.save("i8.npy", np.array([1, 2, 3], dtype=np.int64))
np.save("structured.npy", np.zeros(2, dtype=[("a", "<f8"), ("b", "<i4")]))

# SigMF recordings: metadata written as JSON, samples with NumPy.
def sigmf(name, datatype, samples, rate=None, extra_global=None, captures=None, data_name=None):
    g = {"core:datatype": datatype, "core:version": "1.0.0"}
    if rate is not None:
        g["core:sample_rate"] = rate
    g.update(extra_global or {})
    meta = {"global": g, "captures": captures or [{"core:sample_start": 0}], "annotations": []}
    with open(name + ".sigmf-meta", "w") as f:
        json.dump(meta, f, indent=2)
    with open(data_name or name + ".sigmf-data", "wb") as f:
        f.write(samples)

iq = np.array([0.5, -0.25, 1.0, -1.0, 0.125, 0.0], dtype="<f4")
sigmf("cf32", "cf32_le", iq.tobytes(), rate=2.4e6, extra_global={"core:description": "three complex samples"})
sigmf("cf64-big", "cf64_be", iq.astype(">f8").tobytes(), rate=1000)
sigmf("ci16", "ci16_le", np.array([16384, -16384, 32767, -32768, 1, -1], dtype="<i2").tobytes(), rate=250000)
sigmf("ci8", "ci8", np.array([64, -64, 127, -128], dtype=np.int8).tobytes())
sigmf("cu8", "cu8", bytes([128, 0, 255, 192]), rate=2048000)
sigmf("ci32-big", "ci32_be", np.array([1 << 30, -(1 << 30)], dtype=">i4").tobytes())
sigmf("rf32-two-channels", "rf32_le", np.array([1, 10, 2, 20, 3, 30], dtype="<f4").tobytes(), rate=8000,
      extra_global={"core:num_channels": 2})
sigmf("ri16", "ri16_le", np.array([16384, -8192, 0], dtype="<i2").tobytes(), rate=44100.0)
# A non-conforming dataset: a data file of another name, with a 4-byte
# header before each of two capture segments.
seg = np.array([0.25, -0.5, 0.75, -1.0], dtype="<f4").tobytes()
sigmf("headers", "cf32_le", b"HDR1" + seg[:8] + b"HDR2" + seg[8:], rate=1e6,
      extra_global={"core:dataset": "headers.ncd"},
      captures=[{"core:sample_start": 0, "core:header_bytes": 4}, {"core:sample_start": 1, "core:header_bytes": 4}],
      data_name="headers.ncd")
# Metadata that cannot be used.
sigmf("negative-header", "cf32_le", iq.tobytes(), captures=[{"core:sample_start": 0, "core:header_bytes": -8}])
sigmf("unknown-type", "cf16_le", iq.tobytes())
with open("array.sigmf-meta", "w") as f:
    json.dump([{"core:datatype": "cf32_le"}], f)
with open("array.sigmf-data", "wb") as f:
    f.write(iq.tobytes())
with open("broken.sigmf-meta", "w") as f:
    f.write('{"global": {"core:datatype": "cf32_le", ')
with open("broken.sigmf-data", "wb") as f:
    f.write(iq.tobytes())

# Raw interleaved integer I/Q, as receivers capture it.
np.array([0, 1, -1, 127, -128, 64], dtype=np.int8).tofile("iq-int8.bin")
np.array([128, 0, 255, 1, 192, 64], dtype=np.uint8).tofile("iq-uint8.bin")
np.array([16384, -16384, 32767, -32768], dtype="<i2").tofile("iq-int16.bin")
np.array([16384, -16384, 32767, -32768], dtype=">i2").tofile("iq-int16-big.bin")
np.array([1 << 30, -(1 << 30), 2147483647, -2147483648], dtype="<i4").tofile("iq-int32.bin")
with open("iq-int16-header.bin", "wb") as f:
    f.write(b"CAPTURE HEADER\x00\x00")  # 16 bytes of another program's header
    f.write(np.array([8192, -8192, 4096, -4096], dtype="<i2").tobytes())

# CSV files as spreadsheets and NumPy write them.
data = np.array([[0.0, 0.5, -0.25], [1.0, 0.1, 0.2], [2.0, -1e-5, 3.5e10]])
np.savetxt("numpy-header.csv", data, delimiter=",", header="time,I,Q", fmt="%.17g")
with open("spreadsheet.csv", "w", newline="") as f:
    import csv
    w = csv.writer(f)
    w.writerow(["time", "Inphase", "Quadrature"])
    for row in data:
        w.writerow([repr(float(v)) for v in row])
with open("bom-semicolon.csv", "w", encoding="utf-8-sig", newline="") as f:
    f.write("I;Q\r\n0,5;-0,25\r\n1,25;2\r\n# a comment between data lines\r\n\r\n-3,5;4e-3\r\n")
with open("tabs.csv", "w") as f:
    f.write("# exported samples\n\tI\tQ\n0.5\t0.25\n-0.5\t-0.25\n")
with open("spaces.csv", "w") as f:
    f.write("  0.5   0.25\n -0.5  -0.25\n")
with open("one-column.csv", "w") as f:
    f.write("value\n0.5\n-0.5\n0.25\n")
with open("bad-line.csv", "w") as f:
    f.write("I,Q\n0.5,0.25\n0.5,oops\n1,2\n")
with open("quoted.csv", "w") as f:
    f.write('"I","Q, the second"\n"0.5","0.25"\n"-0.5",-0.25\n')
PY

# sox: 24-bit and more than two channels as WAVE_FORMAT_EXTENSIBLE, and floats.

sox -M pcm16-stereo-48k.wav pcm16-stereo-48k.wav -b 24 sox-ext24-4ch.wav
sox pcm16-stereo-48k.wav -c 3 -b 16 sox-ext16-3ch.wav remix 1 2 1
sox pcm16-stereo-48k.wav -e floating-point -b 32 sox-float32.wav
sox pcm16-mono-22k.wav -e floating-point -b 64 sox-float64.wav
sox pcm16-stereo-48k.wav -b 32 sox-ext32.wav
