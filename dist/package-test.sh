#!/usr/bin/env bash
# package-test.sh <build folder> <scratch folder> <version> <application id> <source folder>
# Builds the Debian package with CPack and checks it as a user's machine
# would meet it: its name, layout, control fields and copyright file; lintian
# with no errors or warnings; the extracted game starting from its own
# folders; then a real installation with apt, the installed game started
# until its first menu frame (when a display is there), and the removal,
# after which none of its files may be left.
set -euo pipefail
build=$1
scratch=$2
version=$3
id=$4
source=$5
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

rm -rf "$scratch"
mkdir -p "$scratch"
arch=$(dpkg --print-architecture)
deb=$scratch/zeltra_${version}_${arch}.deb

# --- the package ---
(cd "$build" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1) || {
  cat "$scratch/cpack.log" >&2
  fail "cpack -G DEB failed"
  exit 1
}
[ -f "$deb" ] || {
  ls "$scratch" >&2
  fail "no $deb"
  exit 1
}
echo "Package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|; s|/$||' | grep -v '^$' |
  sort >"$scratch/contents.txt"
for path in /usr/games/zeltra /usr/share/games/zeltra/Resources/Images.res \
  /usr/share/games/zeltra/Quillbee.url /usr/share/games/zeltra/Manual/index.html \
  "/usr/share/applications/$id.desktop" "/usr/share/metainfo/$id.metainfo.xml" \
  "/usr/share/icons/hicolor/256x256/apps/$id.png" /usr/share/man/man6/zeltra.6.gz \
  /usr/share/doc/zeltra/copyright /usr/share/doc/zeltra/changelog.gz; do
  grep -qx -- "$path" "$scratch/contents.txt" || fail "the package lacks $path"
done
# Nothing of the plain prefix layout, and nothing outside /usr.
grep -E '^/usr/bin|^/usr/share/zeltra|^/usr/share/man/man6/zeltra\.6$' "$scratch/contents.txt" &&
  fail "files of the prefix layout in the package"
grep -v '^/usr' "$scratch/contents.txt" && fail "files outside /usr"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = zeltra ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
# Computed by dpkg-shlibdeps from the executable: the libraries it links.
depends=$(field Depends)
echo "Depends: $depends"
for library in libc6 libsdl2-2.0-0 libvorbisfile3 libstdc++6; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library"
done

# The changelog's latest entry is this version; the copyright file is
# machine-readable and names every component of the README's credits table.
dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root
# (No grep -q at the end of a pipe: with pipefail its early exit fails the pipe.)
changelog_head=$(zcat "$root/usr/share/doc/zeltra/changelog.gz" | sed -n 1p)
[[ $changelog_head == "zeltra ($version) "* ]] ||
  fail "changelog.gz does not start with version $version: $changelog_head"
copyright=$root/usr/share/doc/zeltra/copyright
[ "$(sed -n 1p "$copyright")" = 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ] ||
  fail "copyright is not in the machine-readable format"
grep -qx 'License: Expat' "$copyright" || fail "copyright lacks the game's own licence"
sed -n '/^## Credits and licences/,/^## /p' "$source/README.md" |
  grep '^| ' | grep -v '^| Component |' | cut -d'|' -f2 | sed 's/(.*)//; s/^ *//; s/ *$//' |
  while read -r component; do
    # Each name of a row ("libvorbis, libogg", "Mesa / OpenGL") is listed.
    for name in $(echo "$component" | tr ',/' '  '); do
      grep -qiF -- "$name" "$copyright" || echo "$name"
    done
  done >"$scratch/missing-credits.txt"
[ -s "$scratch/missing-credits.txt" ] &&
  fail "copyright lacks credited components: $(tr '\n' ' ' <"$scratch/missing-credits.txt")"

# --- lintian ---
lintian --display-level '>=warning' --fail-on error,warning "$deb" >"$scratch/lintian.txt" 2>&1 ||
  fail "lintian found errors or warnings"
grep -v 'running with root privileges' "$scratch/lintian.txt" || true
lintian --display-level '>=info' "$deb" 2>/dev/null | grep '^I:' || true

# --- the extracted game finds its data beside itself ---
version_text=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/games/zeltra" --version) ||
  fail "--version of the extracted game"
[[ $version_text == "Zeltra v$version" ]] || fail "--version printed '$version_text'"

# Starts `$1` with a fresh per-user folder until its first menu frame, then
# ends it; checks that it used `$2` for its data.
start_game() {
  local executable=$1 data=$2 home=$scratch/home-$3
  local log="$home/Quillbee Studios/Zeltra/Zeltra.log"
  mkdir -p "$home"
  (cd / && XDG_DATA_HOME=$home SDL_AUDIODRIVER=dummy exec "$executable") &
  local pid=$! status=0
  for _ in $(seq 600); do
    grep -q '^First menu frame' "$log" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "$executable ended with status $status"
  grep -q '^First menu frame' "$log" || fail "$executable never drew its menu"
  grep -qx "Working directory: $data" "$log" || fail "$executable did not use $data"
  if grep -n 'Failed$' "$log" >&2; then fail "resources failed to load from $data"; fi
}
if [ -n "${DISPLAY:-}" ]; then
  start_game "$root/usr/games/zeltra" "$root/usr/share/games/zeltra" extracted
fi

# --- installed and removed with apt ---
# Only as root, and never over a zeltra the machine already has: the test
# must not take away what a player installed.
if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the package was not installed"
elif [[ $(dpkg-query -W -f='${Status}' zeltra 2>/dev/null || true) == *" installed" ]]; then
  echo "zeltra is installed on this machine already: the package was not installed"
else
  # One package test at a time on a machine (other build folders may run theirs).
  exec 9>/tmp/zeltra-package-test.lock
  flock 9
  # What exists before, so the removal can be checked against it.
  while read -r path; do [ -e "$path" ] && echo "$path"; done <"$scratch/contents.txt" \
    >"$scratch/before.txt"
  apt=(apt-get -o DPkg::Lock::Timeout=300 -y -q --no-install-recommends)
  if DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$deb" >"$scratch/apt-install.log" 2>&1; then
    [ -x /usr/games/zeltra ] || fail "no /usr/games/zeltra after installing"
    dpkg -L zeltra >"$scratch/dpkg-list.txt"
    grep -qx /usr/share/games/zeltra/Manual/index.html "$scratch/dpkg-list.txt" ||
      fail "dpkg does not list the manual"
    if [ -n "${DISPLAY:-}" ]; then
      start_game /usr/games/zeltra /usr/share/games/zeltra installed
    else
      echo "no DISPLAY; the installed game was not started"
    fi
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge zeltra >"$scratch/apt-purge.log" 2>&1 ||
      fail "apt-get purge zeltra failed"
  else
    cat "$scratch/apt-install.log" >&2
    fail "apt-get install failed"
  fi
  dpkg-query -W zeltra >/dev/null 2>&1 && fail "zeltra is still known to dpkg after the purge"
  while read -r path; do
    [ -e "$path" ] && ! grep -qxF -- "$path" "$scratch/before.txt" && echo "$path"
  done <"$scratch/contents.txt" >"$scratch/left.txt"
  [ -s "$scratch/left.txt" ] && fail "left behind after the removal: $(head -5 "$scratch/left.txt" | tr '\n' ' ')"
  flock -u 9
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "Package built, checked by lintian, installed, started and removed; all checks passed."
