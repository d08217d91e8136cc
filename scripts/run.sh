#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Zeltra and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
exec build/bin/zeltra "$@"
