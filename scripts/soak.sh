#!/usr/bin/env bash
# Soak run (not part of the test command): the real game runs for a while
# under Xvfb while synthetic input goes round its screens and plays the
# first campaign levels again and again; its resident memory is sampled each
# minute and the average frame rate is taken from its log at shut-down.
#
#     scripts/soak.sh [SECONDS] [BUILD_DIR]     (defaults: 600, build)
#
# The figures are printed and kept in BUILD_DIR/soak-report.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
build=${2:-build}
if [ ! -x "$build/tests/test_e2e" ] || [ ! -x "$build/bin/zeltra" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" -j"$(nproc)" --target zeltra test_e2e
fi
report="$PWD/$build/soak-report.txt"
rm -f "$report"
ZELTRA_SOAK_SECONDS=$seconds ZELTRA_SOAK_REPORT=$report \
  xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tests/test_e2e" --gtest_filter='*.Soak'
echo "=== Soak figures (also in $report) ==="
cat "$report"
