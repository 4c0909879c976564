#!/usr/bin/env bash
# Renders the main window with a project open to docs/screenshot.png, under
# Xvfb on the xcb platform, with the programs of a build.
#   bash scripts/screenshot.sh [build-dir] [scale]
# The README shows the picture; run this after changes to what the window shows.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build="$(cd "${1:-build}" && pwd)"
scale=${2:-1}
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
base="$root/tests/fuzz/corpus/project/empty.kvp"
[ -f "$base" ] || { echo "screenshot: no empty project at $base" >&2; exit 1; }

# An AM signal: a 6 kHz carrier, 80 % modulated by a 0.25 kHz tone, with a little noise.
"$build/kalvora-cli" signal --fs 48 --units kHz --samples 2048 --modulation am --carrier 6 --percent-mod 80 \
    --audio-frequency 0.25 --noise gaussian:-70 --seed 3 "$work/am-signal.txt"
"$build/kalvora-cli" project run "$base" "$work/am-signal.txt" --complex --save "$work/am-signal.kvp" >/dev/null

# A settings folder of its own: no recent projects, no saved window places.
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale"
xvfb-run -a -s "-screen 0 1600x1000x24" \
    "$build/kalvora" --new-instance --screenshot "$root/docs/screenshot.png" "$work/am-signal.kvp"
echo "screenshot: wrote docs/screenshot.png"
