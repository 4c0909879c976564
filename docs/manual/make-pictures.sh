#!/usr/bin/env bash
# Draws the manual's pictures with the program itself (kalvora-cli plot), from
# signals that kalvora-cli makes, so that they always show the program as it is.
#   bash docs/manual/make-pictures.sh [path/to/kalvora-cli]
# Without an argument it uses build/kalvora-cli of this checkout.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../../build/kalvora-cli}"
cli="$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
out="$here/pictures"
mkdir -p "$out"
cd "$work"
size=720x440

# A complex tone: I and Q in the time domain.
"$cli" generate --samples 200 --cycles 3 --fs 48 --units kHz tone.txt
"$cli" plot --complex --fs 48 --units kHz --size "$size" --title "Complex tone, 3 cycles" \
    tone.txt "$out/time-iq.png"

# An AM signal with noise: carrier, sidebands and noise floor after a window.
"$cli" signal --fs 48 --units kHz --samples 8192 --modulation am --carrier 6 --percent-mod 50 \
    --audio-frequency 1 --noise gaussian:-100 --seed 3 am-noise.txt
"$cli" plot --complex --domain frequency --window bh7 --type magnitude --db --fs 48 --units kHz \
    --size "$size" --title "AM signal with noise, Blackman-Harris 7" am-noise.txt "$out/carrier-and-noise-db.png"

# An AM IF signal from the signal generator.
"$cli" signal --fs 48 --units kHz --samples 2048 --modulation am --carrier 6 --percent-mod 80 \
    --audio-frequency 0.25 am.txt
"$cli" plot --complex --type inphase --fs 48 --units kHz --size "$size" --title "AM signal, 80 %" \
    am.txt "$out/am-signal.png"

# Gaussian noise: the histogram of its Inphase values.
"$cli" signal --fs 48 --units kHz --samples 20000 --modulation none --noise gaussian:-10 --seed 5 noise.txt
"$cli" plot --complex --histogram --type inphase --fs 48 --units kHz --size "$size" \
    --title "Gaussian noise" noise.txt "$out/histogram.png"

# A CW carrier with quadrature errors: Q against I.
"$cli" signal --fs 48 --units kHz --samples 512 --modulation cw --carrier 3 --quad-error 3:20 cw.txt
"$cli" plot --complex --type polar --fs 48 --units kHz --size 520x520 --title "Polar: quadrature error" \
    cw.txt "$out/polar.png"
