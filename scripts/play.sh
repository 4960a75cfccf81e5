#!/usr/bin/env bash
# Sets up the machine, builds the game and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
exec build/program/tessalo2 "$@"
