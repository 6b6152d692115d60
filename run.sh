#!/usr/bin/env bash
# Installs what is missing, builds the release version and starts the game. Without a display,
# it starts the game window under Xvfb through the start-up probe (the program's own start-up
# code), saves a picture of the window to build/screenshot.png once it has been painted, and ends.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-dependencies.sh
cmake --preset release
cmake --build --preset release

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/release/app/quorrin
fi

echo "No display: starting the Quorrin window under Xvfb to take its picture."
rm -f build/screenshot.png
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" timeout 20 \
  build/release/tools/startup/quorrin_startup --screenshot "$PWD/build/screenshot.png" || status=$?
if [ "$status" -ne 0 ]; then
  echo "Quorrin failed (exit status $status)." >&2
  exit "$status"
fi
if [ ! -s build/screenshot.png ]; then
  echo "Quorrin ran, but no screenshot was saved." >&2
  exit 1
fi
echo "Saved a screenshot of the game window to build/screenshot.png"
