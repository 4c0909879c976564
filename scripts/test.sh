#!/usr/bin/env bash
# Installs what is missing, builds Kalvora and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build} bash scripts/build.sh "$@"
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$PWD/${BUILD_DIR:-build}/test-config"
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
