#!/usr/bin/env bash
# Builds the benchmarks in build-bench (-DKALVORA_BENCHMARKS=ON) and runs
# them. FFTW is installed for the FFT comparison program only; the program
# itself never links it. Arguments, if any, are FFT lengths for the
# comparison instead of its default list.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh libfftw3-dev
cmake -S . -B build-bench -G Ninja -DKALVORA_GUI=OFF -DKALVORA_TESTS=OFF -DKALVORA_BENCHMARKS=ON >/dev/null
targets=(bench_fft)
if cmake --build build-bench --target help | grep -q '^fft_vs_fftw:'; then targets+=(fft_vs_fftw); fi
cmake --build build-bench -j "$(nproc)" --target "${targets[@]}"

echo "== Mixed-radix FFT (Google Benchmark)"
./build-bench/bench/bench_fft --benchmark_min_time=0.2
if [ -x build-bench/bench/fft_vs_fftw ]; then
  echo "== Mixed-radix FFT against FFTW_MEASURE (medians, same run)"
  ./build-bench/bench/fft_vs_fftw "$@"
fi
