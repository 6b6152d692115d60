#!/usr/bin/env bash
# The Debian package as a user gets it: built in a folder of its own, lintian (errors fail),
# installed into a fresh root (`dpkg --root` into an empty folder, apt resolving the dependencies
# for an empty system; with QUORRIN_DEB_CLEAN_ROOT=1, `apt install` in a minimal Debian made by
# mmdebstrap: root, the network and minutes more), validated and started there, and xdg-mime
# asked which program opens PGN files.   deb_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir=$1
work=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in lintian desktop-file-validate appstreamcli xdg-mime update-desktop-database \
  dpkg-shlibdeps Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: no $tool (see install-dependencies.sh)"; exit 77; }
done
root=$work/root
mounts=()
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" || true; done
  [ -z "${xvfb:-}" ] || kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
rm -rf --one-file-system "$root"
mkdir -p "$work"
started=$(date +%s)

# QUORRIN_DEB_BUILD_DIR reuses a package build folder (scripts/build-deb.sh's build/package).
"$source_dir/scripts/build-deb.sh" "${QUORRIN_DEB_BUILD_DIR:-$work/build}" >"$work/build.log" 2>&1 ||
  fail "building the package: $(tail -n 30 "$work/build.log")"
deb=$(tail -n 1 "$work/build.log")
echo "built $deb in $(($(date +%s) - started)) s"
lintian --fail-on error "$deb" || fail "lintian reports errors"

# The program's files are in the package, the board's development files are not, and the
# libraries it links are its dependencies.
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in games/quorrin share/quorrin/click.wav share/quorrin/win.wav \
  share/applications/quorrin.desktop share/icons/hicolor/16x16/apps/quorrin.png; do
  grep -qxF "./usr/$path" <<<"$contents" || fail "the package lacks /usr/$path"
done
! grep -E '^\./usr/(include/|lib/.*(/cmake/|\.a$))' <<<"$contents" || fail "development files (above)"
for library in libc6 libqt6widgets6 libqt6multimedia6; do
  dpkg-deb --field "$deb" Depends | grep -q "$library" || fail "Depends lacks $library"
done

if [ "${QUORRIN_DEB_CLEAN_ROOT:-0}" = 1 ]; then
  # The host's downloaded packages are linked into the new root's cache: only others are fetched.
  mmdebstrap --variant=apt --mode=root \
    --customize-hook="cp -al /var/cache/apt/archives/*.deb \"\$1/var/cache/apt/archives/\" || true" \
    --customize-hook="copy-in $deb /tmp" \
    --customize-hook="chroot \"\$1\" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
      /tmp/$(basename "$deb")" \
    bookworm "$root" >"$work/install.log" 2>&1 ||
    fail "apt could not install the package in a fresh Debian: $(tail -n 30 "$work/install.log")"
  mkdir -p "$root/tmp/.X11-unix"
  for mount in proc dev tmp/.X11-unix; do
    mount --bind "/$mount" "$root/$mount" && mounts+=("$root/$mount")
  done
  in_root=(chroot "$root" env)
  prefix=
else
  mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
  touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
  dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" \
    >"$work/install.log" 2>&1 || fail "dpkg could not install the package: $(cat "$work/install.log")"
  # The root holds no dependency: apt must find them all in the archive for an empty system,
  # and every package recommended or suggested must exist there.
  apt-get install -s -q -o Dir::State::status=/dev/null "$deb" >"$work/apt.log" 2>&1 ||
    fail "apt cannot install the dependencies: $(tail -n 30 "$work/apt.log")"
  for package in $(dpkg-deb --field "$deb" Recommends Suggests |
    sed -E 's/^[A-Za-z]+://; s/\([^)]*\)//g; s/[,|]/ /g'); do
    apt-cache show "$package" >/dev/null 2>&1 || fail "no package $package in the archive"
  done
  in_root=(env)
  prefix=$root
fi
desktop-file-validate "$root/usr/share/applications/quorrin.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "metainfo"

# The installed program, with a home of its own in the root.
mkdir -m 700 -p "$root/tmp/home"
home=$prefix/tmp/home
run() {
  exec "${in_root[@]}" HOME="$home" XDG_RUNTIME_DIR="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_DATA_HOME="$home/data" DISPLAY="${DISPLAY:-}" "$prefix/usr/games/quorrin" "$@"
}
version=$(QT_QPA_PLATFORM=offscreen run --version)
# The program's version is the package's, without the Debian revision.
[ "$version" = "quorrin $(dpkg-deb --field "$deb" Version | sed 's/-[^-]*$//')" ] ||
  fail "--version printed '$version'"

printf '[White "Ann"]\n[Black "Bo"]\n[Result "*"]\n\n1. e4 e5 2. Nf3 *\n' >"$root/tmp/home/game.pgn"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break || sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
QT_QPA_PLATFORM=xcb run "$home/game.pgn" >"$work/program.log" 2>&1 &
quorrin=$!
for _ in $(seq 100); do
  kill -0 $quorrin 2>/dev/null || fail "the program ended: $(cat "$work/program.log")"
  xdotool search --onlyvisible --name '^Quorrin' >/dev/null 2>&1 && break || sleep 0.1
done
xdotool search --onlyvisible --name '^Quorrin' >/dev/null || fail "no window appeared"
sleep 2
kill -TERM $quorrin 2>/dev/null || fail "the program ended by itself: $(cat "$work/program.log")"
status=0
wait $quorrin || status=$?
[ $status -eq 143 ] || fail "stopped, the program exited with $status: $(cat "$work/program.log")"

# PGN files open in Quorrin once the desktop database knows the installed entry.
update-desktop-database "$root/usr/share/applications"
default=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION \
  XDG_DATA_DIRS="$root/usr/share" XDG_DATA_HOME="$root/tmp/home/data" \
  XDG_CONFIG_HOME="$root/tmp/home/config" XDG_CONFIG_DIRS="$root/etc/xdg" \
  xdg-mime query default application/vnd.chess-pgn)
[ "$default" = quorrin.desktop ] || fail "xdg-mime names '$default' for PGN files"
echo "passed in $(($(date +%s) - started)) s"
