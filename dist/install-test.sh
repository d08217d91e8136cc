#!/usr/bin/env bash
# install-test.sh <build folder> <scratch folder> <application id>
# Installs the build into a fresh prefix and checks what lands there: the
# exact list of files outside the data folder, the data folder against the
# program folder, the icon sizes, the desktop entry, metainfo and man page
# (with their validators where installed), and that the installed game runs
# from the prefix: --version without a display, and a short start with a
# fresh per-user folder when a display is there.
set -euo pipefail
build=$1
scratch=$2
id=$3
prefix=$scratch/prefix
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

rm -rf "$scratch"
mkdir -p "$scratch"
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log"

# --- the file list ---
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$scratch/installed.txt"
{
  echo bin/zeltra
  echo "share/applications/$id.desktop"
  for size in 16 32 48 64 128 256; do
    echo "share/icons/hicolor/${size}x${size}/apps/$id.png"
  done
  echo share/man/man6/zeltra.6
  echo "share/metainfo/$id.metainfo.xml"
} | sort >"$scratch/expected-outside-data.txt"
grep -v '^share/zeltra/' "$scratch/installed.txt" >"$scratch/outside-data.txt" || true
if ! diff -u "$scratch/expected-outside-data.txt" "$scratch/outside-data.txt"; then
  fail "unexpected files outside share/zeltra"
fi

# The data folder holds exactly the program folder's files, without its programs.
(cd "$build/bin" && find . -type f ! -perm -u+x ! -name '*.tmp' | sed 's|^\./|share/zeltra/|' |
  sort) >"$scratch/expected-data.txt"
grep '^share/zeltra/' "$scratch/installed.txt" >"$scratch/data.txt" || true
if ! diff -u "$scratch/expected-data.txt" "$scratch/data.txt" >"$scratch/data.diff"; then
  head -20 "$scratch/data.diff" >&2
  fail "share/zeltra differs from the program folder"
fi
for list in Images Sprites Sounds Campaigns Levels; do
  [ -s "$prefix/share/zeltra/Resources/$list.res" ] || fail "missing Resources/$list.res"
done
[ -x "$prefix/bin/zeltra" ] || fail "bin/zeltra is not executable"
# "visit homepage" opens the manual beside the data through the link file.
grep -qx 'URL=Manual/index.html' "$prefix/share/zeltra/Quillbee.url" ||
  fail "Quillbee.url does not lead to the manual"
[ -s "$prefix/share/zeltra/Manual/index.html" ] || fail "no manual in share/zeltra/Manual"
if find "$prefix/share" -type f -perm -u+x | grep -q .; then
  fail "executable files in share: $(find "$prefix/share" -type f -perm -u+x | head -3)"
fi

# Each icon is a PNG of its folder's size (width and height at bytes 16..23).
for size in 16 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$icon" ] || continue
  header=$(od -An -tx1 -N24 "$icon" | tr -d ' \n')
  [ "${header:0:16}" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
  expected=$(printf '%08x%08x' "$size" "$size")
  [ "${header:32:16}" = "$expected" ] || fail "$icon is not ${size}x${size}"
done

# --- the metadata ---
desktop=$prefix/share/applications/$id.desktop
grep -qx 'Categories=Game;LogicGame;' "$desktop" || fail "desktop entry categories"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
  echo "desktop-file-validate not installed; desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli validate"
else
  echo "appstreamcli not installed; metainfo not validated"
fi
if command -v man >/dev/null; then
  if ! MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/zeltra.6" >"$scratch/man.txt" \
    2>"$scratch/man.err"; then
    fail "man could not render zeltra.6"
  fi
  [ -s "$scratch/man.err" ] && { cat "$scratch/man.err" >&2; fail "man warned about zeltra.6"; }
  grep -q -- '--initdelay' "$scratch/man.txt" || fail "man page lacks --initdelay"
else
  echo "man not installed; man page not rendered"
fi

# --- the installed game ---
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/zeltra" --version) ||
  fail "--version exit status"
[[ $version == "Zeltra v"[0-9]* ]] || fail "--version printed '$version'"

if [ -n "${DISPLAY:-}" ]; then
  home=$scratch/home
  log="$home/Quillbee Studios/Zeltra/Zeltra.log"
  mkdir -p "$home"
  # Started from another folder, so only its own location can lead it to its data.
  (cd / && XDG_DATA_HOME=$home SDL_AUDIODRIVER=dummy exec "$prefix/bin/zeltra") &
  pid=$!
  for _ in $(seq 600); do
    grep -q -- '--- Entering main loop ---' "$log" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -TERM "$pid" 2>/dev/null || true
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "installed game ended with status $status"
  grep -q -- '--- Entering main loop ---' "$log" || fail "installed game never reached its main loop"
  grep -qx "Working directory: $prefix/share/zeltra" "$log" ||
    fail "installed game did not use $prefix/share/zeltra"
  # A first start logs the missing options and progress files; a resource
  # that fails to load from the installed data is the fault looked for.
  if grep -n 'Failed$' "$log" >&2; then
    fail "resources failed to load from the installed data"
  fi
  [ -f "$home/Quillbee Studios/Zeltra/Zeltra.cfg" ] || fail "no options file written"
else
  echo "no DISPLAY; the installed game was not started"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; installed files:" >&2
  cat "$scratch/installed.txt" >&2
  exit 1
fi
echo "Installed $(wc -l <"$scratch/installed.txt") files; all checks passed."
