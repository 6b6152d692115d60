#!/usr/bin/env bash
# Builds the Debian package of the program through the "package" presets (CMakePresets.json): a
# release build of the target quorrin alone (no tests, tools or benchmarks) with Debian's
# optimisation and hardening flags, installed under /usr by cpack, the program in /usr/games as
# Debian does with games. Prints the path of the .deb on its last line.
#   scripts/build-deb.sh [build-folder]     (default build/package, the preset's)
set -euo pipefail
# A folder given is taken from where the script is called.
build=$(realpath -m "${1:-$(dirname "$0")/../build/package}")
cd "$(dirname "$0")/.."

cmake --preset package -B "$build" >/dev/null
cmake --build "$build" --target quorrin
rm -f "$build"/quorrin_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/quorrin_*.deb
