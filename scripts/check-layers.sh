#!/usr/bin/env bash
# Checks that the layers of src/ depend one way: a file includes only headers of
# its own folder and of the folders below it. From the ground up:
#   platform < data < formats < dsp < analysis < generate < plot < app < qt, cli
# (cli may use qt, which draws its pictures off screen). Lists every include
# that breaks the rule and exits non-zero when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A rank=([platform]=0 [data]=1 [formats]=2 [dsp]=3 [analysis]=4 [generate]=5 [plot]=6 [app]=7 [qt]=8 [cli]=9)

status=0
while IFS= read -r file; do
  folder=${file#src/}
  folder=${folder%%/*}
  if [ -z "${rank[$folder]+x}" ]; then
    echo "$file: folder '$folder' has no place in the layers" >&2
    status=1
    continue
  fi
  while IFS=: read -r line text; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$text")
    case $target in */*) ;; *) continue ;; esac
    to=${target%%/*}
    if [ -z "${rank[$to]+x}" ]; then
      echo "$file:$line: includes \"$target\" from outside the layers" >&2
      status=1
    elif [ "${rank[$to]}" -gt "${rank[$folder]}" ] && ! { [ "$folder" = cli ] && [ "$to" = qt ]; }; then
      echo "$file:$line: $folder/ includes \"$target\" from $to/, a layer above it" >&2
      status=1
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
  # The core and the seam are standard C++: no Qt header below qt/.
  if [ "${rank[$folder]}" -lt "${rank[qt]}" ]; then
    if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q[A-Za-z]*(/[A-Za-z]+)?>' "$file" >/tmp/check-layers.$$ 2>/dev/null; then
      sed "s|^|$file:|; s|\$| (Qt in the core)|" /tmp/check-layers.$$ >&2
      status=1
    fi
    rm -f /tmp/check-layers.$$
  fi
done < <(find src -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.inc' \) | sort)

if [ $status -eq 0 ]; then echo "layers: every include runs downwards"; fi
exit $status
