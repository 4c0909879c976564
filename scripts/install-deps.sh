#!/usr/bin/env bash
# Installs the Debian packages Kalvora needs to build, test and run, skipping
# those already present. Pass extra package names as arguments.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core xvfb xauth
  desktop-file-utils appstream libxml2-utils shared-mime-info dpkg-dev
  clang libclang-rt-dev
  # JSON of SigMF metadata
  nlohmann-json3-dev
  # the format tests check written files with NumPy, Python's wave module and sox
  python3-numpy sox
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq || true
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
