#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: first the ordinary build, then a
# clang build under AddressSanitizer and UndefinedBehaviorSanitizer that also runs each fuzz target
# briefly over its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALO_WERROR=ON
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTESSALO_FUZZ=ON -DTESSALO_BENCH=OFF -DTESSALO_WERROR=ON
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ctest --output-on-failure -j "$jobs")
