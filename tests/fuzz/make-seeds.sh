#!/usr/bin/env bash
# Makes the seed corpora of the fuzzing harnesses in tests/fuzz/corpus/:
# small valid files written by the program itself (kalvora-cli) and by other
# tools (Python's struct and wave modules, sox where installed). The corpora
# are kept in the repository; run this only to make them afresh.
#   bash tests/fuzz/make-seeds.sh [path/to/kalvora-cli]
set -euo pipefail
cd "$(dirname "$0")/../.."
CLI=${1:-build/kalvora-cli}
[ -x "$CLI" ] || { echo "no kalvora-cli at $CLI (build first, or pass its path)" >&2; exit 1; }
CLI=$(realpath "$CLI")
ROOT=$PWD
OUT=$PWD/tests/fuzz/corpus
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
mkdir -p "$OUT"/{project,signal_text,signal_fixed,signal_binary,signal_wave,fir,audio,if_filter,numbers}

gen() { "$CLI" generate --samples 16 --cycles 3 "$@"; }

# ---- signal files written by the program ------------------------------------------
gen --real cli-decimal-real.txt
gen cli-decimal-complex.txt
gen --to Text:Plot cli-plot.txt
gen --to Text:FIR --real cli-fir-real.txt
cp cli-*.txt "$OUT/signal_text/"
gen --to Text:Fract --bits 16 cli-fract16.txt
gen --to Text:Hex --bits 12 cli-hex12.txt
gen --to Text:Binary --bits 8 cli-binary8.txt
gen --to "Asm:ADI PM" cli-adipm.dsp
cp cli-fract16.txt cli-hex12.txt cli-binary8.txt cli-adipm.dsp "$OUT/signal_fixed/"
gen --to Binary:float cli-float.bin
gen --to Binary:double --real cli-double.bin
cp cli-float.bin cli-double.bin "$OUT/signal_binary/"
gen --to Binary:Wave --wave-bits 16 --wave-rate 44100 cli-16-stereo.wav
gen --to Binary:Wave --wave-bits 8 --real cli-8-mono.wav
cp cli-*.wav "$OUT/signal_wave/"
gen --samples 5 --real --to Text:FIR cli-taps.fir
cp cli-taps.fir "$OUT/fir/"

# ---- projects saved by the program --------------------------------------------------
: > empty.kvp
cp empty.kvp "$OUT/project/empty.kvp"
"$CLI" project run empty.kvp cli-decimal-complex.txt --save "$OUT/project/cli-time-data.kvp" >/dev/null

# ---- files of other tools -----------------------------------------------------------
python3 - "$OUT" <<'EOF'
import math, struct, sys, wave
out = sys.argv[1]
def w(path, data):
    with open(f"{out}/{path}", "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())

# Text: numbers as C's printf and Python write them, commas, signs, special values.
w("signal_text/py-repr.txt", "".join(f"{math.sin(i/3)!r} {math.cos(i/3)!r}\n" for i in range(8)))
w("signal_text/py-commas-crlf.txt", "".join(f"{i},{-i*0.5}\r\n" for i in range(6)))
w("signal_text/py-nonfinite-words.txt", "1e308 -1e308\ninf -inf\nnan 0x1.8p1\n4.9e-324 -0.0\n")
w("signal_text/py-analyzer.txt", "header\n" * 7 + "".join(f"{i} {i*0.25} {-i*0.25}\n" for i in range(6)))
w("signal_text/py-plot-titles.txt", "Main\nY\nX\n" + "".join(f"{i} {i*i} {-i}\n" for i in range(5)))
w("signal_fixed/py-hex16.txt", "8001 7FFF\n0000 0001\nFFFF 8000\n")
w("signal_fixed/py-fract-octal.txt", "010 0x10\n-32767 32767\n")
w("signal_fixed/py-binary16.txt", "1000000000000001 0000_0000_0000_0001\n0111111111111111 1\n")
w("signal_fixed/py-adipm.txt", "800100 7FFF00\n000000 000100\n")

# Binary: IEEE singles and doubles with struct, including edge values.
w("signal_binary/py-float32-iq.bin", b"".join(struct.pack("<ff", math.cos(i/2), math.sin(i/2)) for i in range(12)))
w("signal_binary/py-double-edges.bin", struct.pack("<8d", 1.7976931348623157e308, -1.7976931348623157e308,
                                                    5e-324, -0.0, float("inf"), float("nan"), 1e-310, 1.0))

# WAVE with Python's wave module: 16-bit stereo at 48000 Hz.
with wave.open(f"{out}/signal_wave/py-16-stereo-48k.wav", "wb") as f:
    f.setnchannels(2); f.setsampwidth(2); f.setframerate(48000)
    f.writeframes(b"".join(struct.pack("<hh", int(32767*math.sin(i/4)), int(32767*math.cos(i/4))) for i in range(32)))
# A WAVE file with a LIST chunk before the data and a fmt chunk of 16 bytes.
fmt = struct.pack("<HHIIHH", 1, 1, 11025, 11025, 1, 8)
lst = b"LIST" + struct.pack("<I", 4) + b"INFO"
data = bytes(range(0, 256, 8))
body = b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt + lst + b"data" + struct.pack("<I", len(data)) + data
w("signal_wave/py-8-mono-list.wav", b"RIFF" + struct.pack("<I", len(body)) + body)

# Projects built field by field: version 20 with Time and Frequency Data,
# and the layouts of versions 14, 9 and 0.
def text(t):
    t = t.encode()
    return (bytes([len(t)]) if len(t) < 255 else b"\xff" + struct.pack("<H", len(t))) + t
def descriptor(v, fmt=0xFFFF):
    b = struct.pack("<HHH", 0, 0, fmt)
    if v >= 4: b += text("") + text("") + struct.pack("<i", 1) + text("   .text") + struct.pack("<iii", 1, 0, 0)[:8] + text("") + struct.pack("<iii", 0, 1, 1)
    if v >= 5: b += text("") + text("float") + (text("f") if v >= 16 else b"")
    if v >= 12: b += struct.pack("<i", 16)
    return b
def datafiles(v, path=""):
    b = text(path) + text("")
    if v >= 6: b += struct.pack("<H", 1)
    if v >= 9: b += struct.pack("<ii", 0, 0)
    return b + descriptor(v, 0) + descriptor(v, 0)
def signal(name, i, q, time, start, stop, window, fs):
    n = len(i)
    b = text(name) + struct.pack("<i", 2)
    b += struct.pack("<i", n) + struct.pack(f"<{n}d", *i) + struct.pack("<i", n) + struct.pack(f"<{n}d", *q)
    b += descriptor(20) + text("") + struct.pack("<iii", 0, time, 0)
    b += struct.pack("<ddd", fs, fs / 2, (1 / fs) if time else fs / max(n, 1))
    b += struct.pack("<hiiii", window, start, stop, n, n // 2) + text("kHz,ms")
    return b
def pages():
    return (struct.pack("<IffH", 256, 1.0, 0.0, 2) + struct.pack("<Hffff", 1, 30.0, 1.0, 1.0, 0.0) +
            struct.pack("<HfHf", 1, 1.0, 0, 0.0) + text(".AUD") + struct.pack("<fH", -45.0, 0) +
            struct.pack("<ffff", -300.0, -300.0, 0.0, 0.0) + text("") + text(""))
def project(v, data=True):
    b = struct.pack("<H", v) + datafiles(v, "/tmp/in.txt") + datafiles(v)
    b += struct.pack(f"<{14 if v else 11}H", *([0, 0, 0, 1, 1] + [0] * (9 if v else 6)))
    b += struct.pack("<HiHH", 0, 256, 0, 0)
    b += struct.pack("<Hfff", 1, 1.0, 1.0, -130.0) + (struct.pack("<i", 0) if v >= 11 else b"")
    b += struct.pack("<if", 64, 4.0) + (struct.pack("<iid", 1, 1, 30.0) if v >= 8 else b"") + (struct.pack("<i", 2) if v >= 19 else b"")
    b += (struct.pack("<d", 1000.0) if v >= 20 else struct.pack("<f", 1000.0)) + text("kHz,ms")
    b += struct.pack("<Hf", 2, 0.5) + (struct.pack("<f", 40.0) if v >= 10 else b"")
    if v >= 15:
        ti = [math.cos(k) for k in range(8)]; tq = [math.sin(k) for k in range(8)]
        b += signal("Data from file: in.txt", ti, tq, 1, 0, 7, 2, 1000.0) if data else signal("", [], [], 1, 0, 0, -1, 1000.0)
        fi = [0.01 * k for k in range(8)]; fi[2] = 4.0
        b += signal("Frequency", fi, [0.0] * 8, 0, -4, 3, -1, 1000.0) if data else signal("", [], [], 0, 0, 0, -1, 1000.0)
    if v >= 16: b += struct.pack("<di", 2.0, 0)
    return b + pages()
w("project/py-v20-time-and-freq.kvp", project(20))
w("project/py-v20-empty-data.kvp", project(20, False))
w("project/py-v16.kvp", project(16))
w("project/py-v14.kvp", project(14))
w("project/py-v9.kvp", project(9))
w("project/py-v0.kvp", project(0))

# FIR filter files.
w("fir/py-hex-count.fir", "0x3\n0.25\n0.5 -0.5\n\n")
w("fir/py-two-columns.fir", "4\n" + "".join(f"{0.1*i} {-0.1*i}\n" for i in range(4)))
# Audio files: one number per line, a blank line, a bad line.
w("audio/py-sine.aud", "".join(f"{math.sin(i/5):.6f}\n" for i in range(40)))
w("audio/py-blank-and-bad.aud", "0.5\n\n-0.25\nabc\n1e3\n")
# IF filter files: a tap count, then the taps, any white space between.
w("if_filter/py-three-taps.flt", "3\n0.25 0.5\n0.25\n")
w("if_filter/py-one-tap.flt", "1 1.0")
# Numbers: what the number notes compare, one text each.
texts = ["0.123456789012345677370", "   0.5", "\t-0.5", "+0.5", "+-0.5", "1.", ".5", "-.5", ".", "-",
         "1e5", "1e", "1e+", "1.5e+3x", "1,5", "0x1p-2", "-0X1.8P1", "0x", "inf", "-Infinity", "+inf",
         "infin", "nan", "-nan", "NaN(123)", "nan(", "1e400", "-1e400", "1e-400", "4.9e-324",
         "2.2250738585072011e-308", "1.7976931348623158e308", "1.7976931348623159e308",
         "9007199254740993", "9007199254740993." + "0" * 40 + "1", "0." + "3" * 300,
         "010 0x10", "-9223372036854775809", "18446744073709551616", "ffffffffffffffff1", "1, 2"]
for i, t in enumerate(texts):
    w(f"numbers/n{i:02d}.txt", t)
EOF

# sox, where installed: 8-bit unsigned mono and 16-bit stereo at 22050 Hz.
if command -v sox >/dev/null; then
  sox -n -r 22050 -c 2 -b 16 "$OUT/signal_wave/sox-16-stereo.wav" synth 0.002 sine 440 2>/dev/null || true
  sox -n -r 11025 -c 1 -b 8 -e unsigned-integer "$OUT/signal_wave/sox-8-mono.wav" synth 0.003 square 300 2>/dev/null || true
fi
# ---- raw integers, .npy, SigMF and CSV --------------------------------------------
# Each seed ends in the byte that picks how the harness reads it (see
# SignalTargets.cpp): the file as written, then that byte.
mkdir -p "$OUT"/{signal_rawint,signal_npy,signal_sigmf,signal_csv}
pick() { cat "$1"; printf "\\x$(printf %02x "$2")"; }
gen --to Binary:int8 --real cli-int8.bin
gen --to Binary:uint8 cli-uint8.bin
gen --to Binary:int16 cli-int16.bin
gen --to Binary:int16 --endian big --real cli-int16-big.bin
gen --to Binary:int32 cli-int32.bin
# A raw integer seed ends in two bytes: the header bytes to skip, then the pick.
skip() { cat "$1"; printf "\\x$(printf %02x "$2")\\x$(printf %02x "$3")"; }
skip cli-int8.bin 0 0 >"$OUT/signal_rawint/cli-int8"
skip cli-uint8.bin 0 $((1 + 4)) >"$OUT/signal_rawint/cli-uint8-iq"
skip cli-int16.bin 0 $((2 + 4 + 8)) >"$OUT/signal_rawint/cli-int16-iq-processed"
skip cli-int16-big.bin 0 $((2 + 32)) >"$OUT/signal_rawint/cli-int16-big"
skip cli-int32.bin 0 $((3 + 4)) >"$OUT/signal_rawint/cli-int32-iq"
gen --to Binary:npy cli-complex.npy
gen --to Binary:npy --real cli-real.npy
pick cli-complex.npy 1 >"$OUT/signal_npy/cli-complex"
pick cli-real.npy 2 >"$OUT/signal_npy/cli-real-processed"
gen --to Binary:SigMF cli.sigmf-meta
gen --to Binary:SigMF --real cli-real.sigmf-meta
sigmf() { cat "$1.sigmf-meta"; printf '\n--sigmf-data--\n'; cat "$1.sigmf-data"; printf "\\x$(printf %02x "$2")"; }
sigmf cli 1 >"$OUT/signal_sigmf/cli-complex"
sigmf cli-real 2 >"$OUT/signal_sigmf/cli-real-processed"
gen --to Text:CSV cli-complex.csv
gen --to Text:CSV --real cli-real.csv
pick cli-complex.csv 1 >"$OUT/signal_csv/cli-complex"
pick cli-real.csv $((2 + 24)) >"$OUT/signal_csv/cli-real-processed"

# Files of NumPy, Python and sox that the formats' tests keep, with a pick byte.
FIX=$ROOT/tests/testdata/formats
for f in "$FIX"/iq-*.bin; do
  n=$(basename "$f" .bin)
  case $n in
    *int8) t=0 ;; *uint8) t=1 ;; *int16*) t=2 ;; *) t=3 ;;
  esac
  case $n in *big) t=$((t + 32)) ;; esac
  h=0
  case $n in *header) h=16 ;; esac
  skip "$f" $h $((t + 4)) >"$OUT/signal_rawint/fixture-$n"
done
for f in "$FIX"/*.npy; do pick "$f" 1 >"$OUT/signal_npy/fixture-$(basename "$f" .npy)"; done
for f in "$FIX"/*.sigmf-meta; do
  b=${f%.sigmf-meta}
  dataset=$(sed -n 's/.*"core:dataset": *"\([^"]*\)".*/\1/p' "$f")
  if [ -n "$dataset" ] && [ -f "$FIX/$dataset" ]; then
    # A dataset of another name: the harness writes it as signal.sigmf-data.
    sed "s/\"$dataset\"/\"signal.sigmf-data\"/" "$f"; printf '\n--sigmf-data--\n'; cat "$FIX/$dataset"; printf '\x01'
  elif [ -f "$b.sigmf-data" ]; then sigmf "$b" 1; else { cat "$f"; printf '\x01'; }; fi \
    >"$OUT/signal_sigmf/fixture-$(basename "$b")"
done
for f in "$FIX"/*.csv; do pick "$f" 1 >"$OUT/signal_csv/fixture-$(basename "$f" .csv)"; done
echo "seed corpora written to $OUT"
