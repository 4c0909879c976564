#!/usr/bin/env bash
# Renders the program's icon from its SVG artwork into the PNG sizes that the
# desktop's icon theme and the program use (data/icons/<size>/kalvora.png).
# The small sizes come from a simplified drawing that stays readable at 16 px.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$size"
  source=kalvora.svg
  if [ "$size" -le 24 ]; then source=kalvora-small.svg; fi
  rsvg-convert -w "$size" -h "$size" "$source" -o "$size/kalvora.png"
done
