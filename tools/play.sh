#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from the repository's root (where the
# stage folder is).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh play
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTIDEWAKE_TESTS=OFF -DTIDEWAKE_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target tidewake
exec build/tidewake
