#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, in build-fuzz/) and runs each for the given
# number of seconds (default 60), one after the other on one core. New inputs
# that add coverage are merged into the harness's corpus in tests/fuzz/corpus/.
# Prints one line per harness:
#   harness=NAME execs=N cov=N crashes=N cpu_s=S execs_per_cpu_s=R
# (cpu_s: the processor time the run took; R: executions per second of it,
# the speed on one core whatever else the machine runs)
# and exits non-zero when a harness found anything; the input that failed is
# kept in build-fuzz/fuzz-work/NAME/findings/ (copy it to
# tests/data/fuzz-regressions/NAME/ once it is understood and fixed).
#
#   bash scripts/fuzz.sh [SECONDS] [HARNESS...]
#
# Environment: FUZZ_TIMEOUT (seconds an input may take, default 1),
# FUZZ_BUILD_DIR (default build-fuzz), FUZZ_NICE (niceness, default 10),
# FUZZ_MERGE (0: keep no new inputs, as in CI, where they would be lost),
# FUZZ_BUILD (0: run the harnesses as built, without building first; for
# long campaigns run in pieces while the sources change).
# Without clang and its libFuzzer runtime the script says so and does nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
# Suppressions for the fuzzing runs: a false leak report of the sanitizer runtime (see the file).
# A later suppressions= wins, so this one replaces the desktop suite's list for these runs.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$PWD/tests/fuzz/lsan.supp"
SECONDS_EACH=${1:-60}
shift || true
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
TIMEOUT=${FUZZ_TIMEOUT:-1}
NICE=${FUZZ_NICE:-10}
MERGE=${FUZZ_MERGE:-1}
BUILD=${FUZZ_BUILD:-1}
ROOT=$PWD

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ is not installed; no fuzzing (scripts/install-deps.sh installs it)"
  exit 0
fi
# libFuzzer comes with clang's runtime libraries (libclang-rt-dev on Debian).
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
     clang++ -x c++ -fsanitize=fuzzer - -o /dev/null >/dev/null 2>&1; then
  echo "fuzz.sh: clang's libFuzzer runtime is missing; no fuzzing (install libclang-rt-dev)"
  exit 0
fi

if [ "$BUILD" != 0 ]; then
  CC=clang CXX=clang++ BUILD_DIR=$BUILD_DIR nice -n "$NICE" bash scripts/build.sh \
    -DKALVORA_GUI=OFF -DKALVORA_TESTS=OFF -DKALVORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi

# The longest input each harness is given: enough for every structure of
# its files, small enough for thousands of runs a second.
max_len() {
  case $1 in
    numbers) echo 1024 ;;
    fir | audio | if_filter) echo 2048 ;;
    *) echo 4096 ;;
  esac
}

if [ $# -gt 0 ]; then
  harnesses=("$@")
else
  harnesses=()
  for exe in "$BUILD_DIR"/tests/fuzz/fuzz_*; do harnesses+=("${exe##*/fuzz_}"); done
fi

# Each execution writes its input as a file for the program to read: in
# memory (/dev/shm) that costs a fifth less of an execution than on disk.
# The temporary folder of each run (TMPDIR, where the harness writes its
# files and libFuzzer its own) is made there when it can be (writable, with
# 16 MB free), and removed.
SHM_TMP=
shm_free_kb=$(df -Pk /dev/shm 2>/dev/null | awk 'NR == 2 { print $4 }' || true)
if [ -d /dev/shm ] && [ -w /dev/shm ] && [ "${shm_free_kb:-0}" -ge 16384 ]; then
  SHM_TMP=$(mktemp -d /dev/shm/kalvora-fuzz-run.XXXXXX 2>/dev/null || true)
fi
[ -z "$SHM_TMP" ] || trap 'rm -rf "$SHM_TMP"' EXIT

status=0
for h in "${harnesses[@]}"; do
  exe=$ROOT/$BUILD_DIR/tests/fuzz/fuzz_$h
  [ -x "$exe" ] || { echo "fuzz.sh: no harness $h" >&2; status=1; continue; }
  work=$ROOT/$BUILD_DIR/fuzz-work/$h
  corpus=$ROOT/tests/fuzz/corpus/$h
  mkdir -p "$work/new" "$work/findings" "$work/tmp" "$corpus"
  rm -rf "${work:?}/new/"* "${work:?}/tmp/"*
  tmp=$work/tmp
  if [ -n "$SHM_TMP" ]; then
    tmp=$SHM_TMP/$h
    rm -rf "$tmp"
    mkdir -p "$tmp"
  fi
  before=$(ls "$work/findings" | wc -l)
  dict=()
  [ -f "tests/fuzz/dict/$h.dict" ] && dict=(-dict="$ROOT/tests/fuzz/dict/$h.dict")
  # One job on one core; new inputs go to new/, the kept corpus is read.
  # -entropic=0: libFuzzer's entropic schedule counts every feature of every
  # execution against its rarest ones; with the thousands of features an
  # input of these harnesses reaches, that took a third of the time.
  # The processor time the run took (its children's user and system time,
  # from the subshell's `times`) gives executions per second of one core,
  # whatever else the machine runs.
  (cd "$work" && { TMPDIR=$tmp nice -n "$NICE" "$exe" "${dict[@]}" -entropic=0 -max_total_time="$SECONDS_EACH" \
     -timeout="$TIMEOUT" -rss_limit_mb=2048 -malloc_limit_mb=2048 -max_len="$(max_len "$h")" \
     -print_final_stats=1 -artifact_prefix="$work/findings/" "$work/new" "$corpus" >"$work/log" 2>&1 || true
     times >"$work/cpu"; }) || true
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  # After a finding there are no final stats: the last progress line counts.
  [ -n "$execs" ] || execs=$(grep -o '^#[0-9]*' "$work/log" | tail -1 | tr -d '#' || true)
  cov=$(grep -o 'cov: [0-9]*' "$work/log" | tail -1 | grep -o '[0-9]*' || true)
  crashes=$(( $(ls "$work/findings" | wc -l) - before ))
  # "0m12.345s 0m1.234s": user and system minutes and seconds.
  cpu=$(awk '{ t = 0; for (i = 1; i <= 2; i++) { split($i, p, /[ms]/); t += p[1] * 60 + p[2] } printf "%.1f", t }' \
    <(tail -1 "$work/cpu" 2>/dev/null) || echo 0)
  rate=$(awk -v e="${execs:-0}" -v c="$cpu" 'BEGIN { printf "%d", (c > 0 ? e / c : 0) }')
  # Keep what adds coverage (skipped after a finding: the corpus stays as it was).
  if [ "$MERGE" != 0 ] && [ "$crashes" -eq 0 ] && [ -n "$(ls -A "$work/new")" ]; then
    (cd "$work" && TMPDIR=$tmp nice -n "$NICE" "$exe" -merge=1 -timeout="$TIMEOUT" -rss_limit_mb=2048 \
       -max_len="$(max_len "$h")" "$corpus" "$work/new" >"$work/merge.log" 2>&1) || true
  fi
  [ -z "$SHM_TMP" ] || rm -rf "$tmp"
  echo "harness=$h execs=${execs:-0} cov=${cov:-0} crashes=$crashes cpu_s=$cpu execs_per_cpu_s=$rate"
  echo "$(date -u +%FT%TZ) harness=$h seconds=$SECONDS_EACH execs=${execs:-0} cov=${cov:-0} crashes=$crashes" \
    "cpu_s=$cpu execs_per_cpu_s=$rate timeout=$TIMEOUT" >>"$ROOT/$BUILD_DIR/fuzz-runs.log"
  if [ "$crashes" -gt 0 ]; then
    status=1
    echo "  finding kept in $work/findings/ (log: $work/log):" >&2
    grep -m 5 -E 'ERROR|runtime error|Abort|abort|timeout|differs|beyond|neither' "$work/log" >&2 || true
    # The harnesses record two calls per allocation; a replay shows all.
    echo "  full report: ASAN_OPTIONS=malloc_context_size=30 $exe $work/findings/FILE" >&2
  fi
done
exit $status
