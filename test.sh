#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test. Exits non-zero on any failure or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-dependencies.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORRIN_SANITIZE=ON
cmake --build build/test
ctest --test-dir build/test --output-on-failure --timeout 300 -j "$(nproc)"
