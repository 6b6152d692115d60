#!/usr/bin/env bash
# The Debian package, built and installed as a user gets it, then started:
#   1. scripts/build-deb.sh in a release build folder of its own;
#   2. lintian finds no error (its warnings are printed; README lists those kept, and why);
#   3. the package holds the program's files and none of the board's development files;
#   4. installed into a fresh root: by default `dpkg --root` into an empty folder, and apt
#      confirms that every dependency can be installed (apt-get install -s); with
#      QUORRIN_DEB_CLEAN_ROOT=1, `apt install ./quorrin_*.deb` in a minimal Debian made by
#      mmdebstrap (needs the network, a few minutes);
#   5. desktop-file-validate and appstreamcli validate pass on the installed files;
#   6. the installed program prints its version, and under Xvfb shows its window with a .pgn
#      file given, until it is stopped;
#   7. xdg-mime names quorrin.desktop as the default for PGN files in that root.
#   deb_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir=$1
work=$2
skip=77

for tool in lintian desktop-file-validate appstreamcli xdg-mime update-desktop-database \
  dpkg-shlibdeps Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-dependencies.sh installs it)"
    exit $skip
  fi
done

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf --one-file-system "$work/root" "$work/home"
mkdir -p "$work/home"
started=$(date +%s)
# QUORRIN_DEB_BUILD_DIR reuses a package build folder (scripts/build-deb.sh's build/package).
"$source_dir/scripts/build-deb.sh" "${QUORRIN_DEB_BUILD_DIR:-$work/build}" >"$work/build.log" 2>&1 ||
  fail "building the package: $(tail -n 30 "$work/build.log")"
deb=$(tail -n 1 "$work/build.log")
[ -f "$deb" ] || fail "no package was built: $(tail -n 30 "$work/build.log")"
echo "built $deb in $(($(date +%s) - started)) s"

# 2. lintian: errors fail; warnings are shown.
lintian --fail-on error --info "$deb" || fail "lintian reports errors"

# 3. What the package holds.
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/games/quorrin ./usr/share/quorrin/click.wav ./usr/share/quorrin/win.wav \
  ./usr/share/applications/quorrin.desktop ./usr/share/icons/hicolor/16x16/apps/quorrin.png \
  ./usr/share/icons/hicolor/512x512/apps/quorrin.png; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
if grep -E '^\./usr/(include|lib/.*/cmake|lib/.*\.a$)' <<<"$contents"; then
  fail "the package holds development files (above)"
fi
depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6widgets6 libqt6multimedia6 libc6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

# 4. Installed into a fresh root.
root=$work/root
in_root=()
mounts=()
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" || true; done
  [ -z "${xvfb:-}" ] || kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
if [ "${QUORRIN_DEB_CLEAN_ROOT:-0}" = 1 ]; then
  command -v mmdebstrap >/dev/null || fail "QUORRIN_DEB_CLEAN_ROOT=1 needs mmdebstrap"
  [ "$(id -u)" -eq 0 ] || fail "QUORRIN_DEB_CLEAN_ROOT=1 needs root (chroot)"
  # A minimal bookworm with apt; the host's downloaded packages are linked into its cache so
  # that only the others are fetched; then apt installs the package from its file.
  mmdebstrap --variant=apt --mode=root \
    --customize-hook="cp -al /var/cache/apt/archives/*.deb \"\$1/var/cache/apt/archives/\" || true" \
    --customize-hook="copy-in $deb /tmp" \
    --customize-hook="chroot \"\$1\" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
      /tmp/$(basename "$deb")" \
    bookworm "$root" >"$work/install.log" 2>&1 ||
    fail "apt could not install the package in a fresh Debian: $(tail -n 30 "$work/install.log")"
  in_root=(chroot "$root")
  mkdir -p "$root/tmp/.X11-unix"
  for mount in proc dev tmp/.X11-unix; do
    mount --bind "/$mount" "$root/$mount"
    mounts+=("$root/$mount")
  done
else
  mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
  touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
  # The folder holds none of the dependencies: apt resolves them all from Debian's archive as
  # for an empty system, and the recommended and suggested packages must exist there.
  dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" \
    >"$work/install.log" 2>&1 || fail "dpkg could not install the package: $(cat "$work/install.log")"
  apt-get install -s -q -o Dir::State::status=/dev/null "$deb" >"$work/apt-simulation.log" 2>&1 ||
    fail "apt cannot install the package's dependencies: $(tail -n 30 "$work/apt-simulation.log")"
  for package in $(dpkg-deb --field "$deb" Recommends Suggests | sed -E 's/^[A-Za-z]+://; s/\([^)]*\)//g; s/[,|]/ /g'); do
    apt-cache show "$package" >/dev/null 2>&1 || fail "no package $package in the archive"
  done
fi
program=$root/usr/games/quorrin
[ -x "$program" ] || fail "no /usr/games/quorrin after installing"

# 5. The installed desktop entry and metainfo.
desktop-file-validate "$root/usr/share/applications/quorrin.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli"

# 6. The program, run from the root: its version, then its window with a game to open.
run() {
  if [ ${#in_root[@]} -gt 0 ]; then
    exec "${in_root[@]}" env HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/home DISPLAY="${DISPLAY:-}" \
      /usr/games/quorrin "$@"
  else
    exec env HOME="$work/home" XDG_RUNTIME_DIR="$work/home" XDG_CONFIG_HOME="$work/home/config" \
      XDG_DATA_HOME="$work/home/data" "$program" "$@"
  fi
}
chmod 700 "$work/home"
if [ ${#in_root[@]} -gt 0 ]; then
  mkdir -p "$root/tmp/home" && chmod 700 "$root/tmp/home"
fi
version=$(QT_QPA_PLATFORM=offscreen run --version)
[ "$version" = "quorrin 1.5" ] || fail "--version printed '$version'"

game_dir=$work/home
[ ${#in_root[@]} -gt 0 ] && game_dir=$root/tmp/home
printf '[White "Ann"]\n[Black "Bo"]\n[Result "*"]\n\n1. e4 e5 2. Nf3 *\n' >"$game_dir/game.pgn"
game=$work/home/game.pgn
[ ${#in_root[@]} -gt 0 ] && game=/tmp/home/game.pgn

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
export DISPLAY=:$(cat "$work/display")
QT_QPA_PLATFORM=xcb run "$game" >"$work/program.log" 2>&1 &
quorrin=$!
shown=
for _ in $(seq 100); do
  kill -0 $quorrin 2>/dev/null || break
  if xdotool search --onlyvisible --name '^Quorrin' >/dev/null 2>&1; then
    shown=yes
    break
  fi
  sleep 0.1
done
[ -n "$shown" ] || fail "no Quorrin window appeared: $(cat "$work/program.log")"
sleep 2
kill -0 $quorrin 2>/dev/null || fail "the program ended by itself: $(cat "$work/program.log")"
kill -TERM $quorrin
status=0
wait $quorrin || status=$?
[ $status -eq 143 ] || fail "stopped, the program exited with $status: $(cat "$work/program.log")"
echo "the installed program showed its window with a game; stopped with SIGTERM"

# 7. PGN files open in Quorrin where the desktop database knows the installed entry.
update-desktop-database "$root/usr/share/applications"
default=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
  XDG_DATA_DIRS="$root/usr/share" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" \
  XDG_CONFIG_DIRS="$work/home/config" xdg-mime query default application/vnd.chess-pgn)
[ "$default" = quorrin.desktop ] || fail "xdg-mime names '$default' for PGN files"

echo "package test passed in $(($(date +%s) - started)) s"
