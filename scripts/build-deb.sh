#!/usr/bin/env bash
# Builds the Debian package of the program: a release build of the target quorrin alone (no
# tests, tools or benchmarks) with Debian's compiler and linker flags, installed under /usr by
# cpack, the program in /usr/games as Debian does with games. Prints the path of the .deb on its
# last line.
#   scripts/build-deb.sh [build-folder]     (default build/deb)
set -euo pipefail
# A folder given is taken from where the script is called; the default is in the sources.
build=$(realpath -m "${1:-$(dirname "$0")/../build/deb}")
cd "$(dirname "$0")/.."

# Debian's flags with every hardening feature; without -g, since the binary is stripped.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cxxflags=$(sed -E 's/(^| )-g( |$)/ /' <<<"$cxxflags")
ldflags=$(dpkg-buildflags --get LDFLAGS)

# The release type's -O3 would override Debian's -O2; only -DNDEBUG is kept from it.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_INSTALL_BINDIR=games \
  -DQUORRIN_TESTS=OFF -DQUORRIN_BENCHMARKS=OFF -DQUORRIN_DESIGNER_PLUGIN=OFF \
  "-DCMAKE_CXX_FLAGS=$cxxflags" -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
  "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" >/dev/null
cmake --build "$build" --target quorrin
rm -f "$build"/quorrin_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/quorrin_*.deb
