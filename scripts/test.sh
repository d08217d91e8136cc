#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs every test:
# once as built, once under AddressSanitizer + UndefinedBehaviorSanitizer,
# plus a short smoke run of each fuzzer. Tests that need a window run
# under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

run_ctest() {
  # One X server for the whole run; tests that open a window find it in DISPLAY.
  # Tests run one at a time: a full-screen window of one test would take the
  # focus from another's, and a game without focus rightly stops updating.
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$1" --output-on-failure
}

echo "=== Build and test ==="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
run_ctest build

echo "=== Build and test with AddressSanitizer + UndefinedBehaviorSanitizer ==="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZELTRA_SANITIZE=ON -DZELTRA_BENCHMARKS=OFF
cmake --build build-asan -j"$jobs"
# Any sanitizer report fails the test that caused it.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
# LeakSanitizer stops and scans every thread at exit. Mesa's software
# rasteriser and shader-cache threads, still alive or just ending then, have
# crashed its tracer on a loaded machine; drawing on the calling thread
# leaves only our own threads to scan. The pictures are the same.
export LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true
run_ctest build-asan

if command -v clang++ >/dev/null; then
  echo "=== Fuzzer smoke runs ==="
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DZELTRA_FUZZERS=ON \
    -DZELTRA_BENCHMARKS=OFF -DBUILD_TESTING=OFF
  cmake --build build-fuzz -j"$jobs" --target zeltra_fuzzers
  # Each starts from its seed corpus (fuzz/corpus/<name>, made from the
  # game's own data); what it finds new goes to a scratch folder.
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  for f in build-fuzz/fuzz/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] || continue
    name=$(basename "$f")
    name=${name#fuzz_}
    echo "--- $name ---"
    mkdir -p "$scratch/$name"
    LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp \
      "$f" -max_total_time=5 -rss_limit_mb=1024 "$scratch/$name" "fuzz/corpus/$name" 2>&1 | tail -n 3
  done
fi
echo "All tests passed."
