#!/usr/bin/env bash
# Installs the build in BUILD_DIR (default build/) into a temporary prefix and
# checks the installed tree: programs, desktop entry, file type, metainfo,
# icons, manual pages and the manual, and that the desktop's validators accept
# them. Used by CI; needs desktop-file-utils, appstream and libxml2-utils.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null

status=0
need() {
  if [ ! -s "$prefix/$1" ]; then
    echo "check-install: missing $1" >&2
    status=1
  fi
}
need bin/kalvora
need bin/kalvora-cli
need share/applications/com.quellin.Kalvora.desktop
need share/metainfo/com.quellin.Kalvora.metainfo.xml
need share/mime/packages/kalvora.xml
need share/icons/hicolor/scalable/apps/kalvora.svg
for size in 16 22 24 32 48 64 128 256; do
  need "share/icons/hicolor/${size}x${size}/apps/kalvora.png"
done
need share/man/man1/kalvora.1
need share/man/man1/kalvora-cli.1
need share/doc/kalvora/manual/index.html
need share/doc/kalvora/manual/style.css

# Every page of the manual is installed with the pictures it shows.
for page in docs/manual/*.html; do need "share/doc/kalvora/manual/$(basename "$page")"; done
for picture in docs/manual/pictures/*.png; do need "share/doc/kalvora/manual/pictures/$(basename "$picture")"; done

# The manual page of kalvora-cli describes each of its commands.
for command in formats convert generate stats transform plot signal "project info" "project run"; do
  if ! grep -q "^\.SS $command\$" "$prefix/share/man/man1/kalvora-cli.1"; then
    echo "check-install: kalvora-cli.1 lacks the command $command" >&2
    status=1
  fi
done

desktop-file-validate "$prefix/share/applications/com.quellin.Kalvora.desktop" || status=1
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/com.quellin.Kalvora.metainfo.xml" >/dev/null \
  || { appstreamcli validate --no-net "$prefix/share/metainfo/com.quellin.Kalvora.metainfo.xml"; status=1; }
xmllint --noout "$prefix/share/mime/packages/kalvora.xml" "$prefix/share/metainfo/com.quellin.Kalvora.metainfo.xml" \
  || status=1
xmllint --noout "$prefix"/share/icons/hicolor/scalable/apps/kalvora.svg || status=1
# The file type is known by its extension and by its first bytes.
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || status=1
  grep -q 'application/x-kalvora-project' "$prefix/share/mime/globs2" || { echo "check-install: no glob" >&2; status=1; }
  grep -q 'application/x-kalvora-project' "$prefix/share/mime/magic" || { echo "check-install: no magic" >&2; status=1; }
fi
"$prefix/bin/kalvora-cli" --version >/dev/null || status=1

if [ "$status" -eq 0 ]; then echo "check-install: installed tree is complete"; fi
exit "$status"
