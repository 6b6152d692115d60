#!/usr/bin/env bash
# Installs what is missing, builds the release version and starts it.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-dependencies.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORRIN_TESTS=OFF \
  -DQUORRIN_BENCHMARKS=OFF
cmake --build build/release
echo "Move tree of the start position, four moves deep:"
build/release/tools/perft start w 4
