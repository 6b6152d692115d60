#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test. Exits non-zero on any failure or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-dependencies.sh
# The "test" preset (CMakePresets.json): Debug, sanitizers, compiler warnings are errors.
cmake --preset test
cmake --build --preset test
ctest --preset test -j "$(nproc)"
