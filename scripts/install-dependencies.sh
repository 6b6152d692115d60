#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quorrin need, skipping
# those already installed. Uses sudo when not run as root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang-format
  libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-multimedia-dev qt6-tools-dev libxcb1-dev
  # the translations: lupdate and lrelease, and Qt's own words in the other languages
  qt6-l10n-tools qt6-translations-l10n
  xvfb xauth fonts-dejavu-core
  # the fuzz tests: clang++ with its libFuzzer and sanitizer runtimes (-fsanitize=fuzzer)
  clang libclang-rt-14-dev
  # the real-X11 tests: input, window manager, screen read-back, their driver
  xdotool openbox imagemagick x11-utils xclip python3
  # the screen-reader test: the accessibility bus, a private session bus, the AT-SPI client
  at-spi2-core dbus-daemon dbus-bin python3-pyatspi python3-gi
  # the Debian package and its test: cpack's dpkg-shlibdeps and file, the checkers, a fresh
  # Debian root for the opt-in clean install (QUORRIN_DEB_CLEAN_ROOT=1)
  dpkg-dev file lintian desktop-file-utils appstream xdg-utils mmdebstrap
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
