#!/usr/bin/env bash
# Measures how long a player waits from starting the game to the first frame
# of the main menu when the intro is skipped at once.
#
#   scripts/startup-time.sh [BUILD_DIR] [RUNS]     (defaults: build, 3)
#
# Each run starts BUILD_DIR/bin/zeltra under a fresh Xvfb with an empty
# per-user folder and waits for the log line "First menu frame: T ms" (T from
# the program's start). The intro runs its full course here; its own line
# "Intro shown: I ms" says how long it was on screen, and T - I is the wait
# when a key skips it at the first chance. The game is then asked to quit.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-3}
exe="$build/bin/zeltra"
[ -x "$exe" ] || { echo "no $exe; build the zeltra target first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for run in $(seq 1 "$runs"); do
  home="$work/home$run"
  mkdir -p "$home"
  log="$home/Quillbee Studios/Zeltra/Zeltra.log"
  pidfile="$work/pid$run"
  XDG_DATA_HOME="$home" SDL_AUDIODRIVER=dummy \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    sh -c 'echo $$ >"$1"; exec "$2"' sh "$pidfile" "$exe" >"$work/out$run" 2>&1 &
  runner=$!
  for _ in $(seq 1 300); do
    grep -q "^First menu frame:" "$log" 2>/dev/null && break
    sleep 0.1
  done
  # The game quits the normal way on SIGTERM; xvfb-run then ends too.
  [ -s "$pidfile" ] && kill -TERM "$(cat "$pidfile")" 2>/dev/null || true
  wait "$runner" || true

  if ! grep -q "^First menu frame:" "$log" 2>/dev/null; then
    echo "run $run: no menu frame within 30 s" >&2
    tail -20 "$log" "$work/out$run" >&2 || true
    exit 1
  fi
  first=$(sed -n 's/^First menu frame: \([0-9]*\) ms$/\1/p' "$log" | head -1)
  intro=$(sed -n 's/^Intro shown: \([0-9]*\) ms$/\1/p' "$log" | head -1)
  load=$(sed -n 's/^Total load time: \([0-9]*\)ms$/\1/p' "$log" | head -1)
  echo "run $run: first menu frame ${first} ms, intro on screen ${intro:-0} ms," \
       "resources ${load:-?} ms -> start-up with the intro skipped: $((first - ${intro:-0})) ms"
  if [ "$run" -eq "$runs" ]; then
    echo "slowest resources of the last run:"
    sed -n 's/^Loading \(.*\)\.\.\. Done (\([0-9]*\)ms)$/\2 \1/p' "$log" | sort -rn | head -5 |
      awk '{printf "  %5d ms  %s\n", $1, $2}'
  fi
done
