#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when
# they are missing. Runs as root on a fresh machine; uses sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  libsdl2-dev libvorbis-dev libogg-dev libgl-dev libgl1-mesa-dri
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfreetype-dev fonts-dejavu-core libpng-dev
  xvfb xauth clang libclang-rt-14-dev
  libmd-dev
  libx11-dev libxtst-dev  # the end-to-end tests send synthetic input through XTEST
  xdg-utils  # xdg-open: the game opens its homepage in the user's browser
  appstream desktop-file-utils  # the install test validates the metainfo and desktop entry
  libcmark-gfm-dev libcmark-gfm-extensions-dev  # the player's manual from the README
  dpkg-dev lintian  # the package test: cpack's shlibdeps, dpkg-deb and lintian
  imagemagick python3-pil  # the image loader tests read TGA and PCX files these tools write
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
