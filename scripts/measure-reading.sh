#!/usr/bin/env bash
# Measures the peak memory of listing a 64 MiB game file with the pgn tool (pgn FILE --list), for
# three shapes of file: ordinary games, one line of "a3 " moves, and "* " (an empty game every two
# bytes); each figure is shown beside the tool's figure for a file of one game, and the time.
#   scripts/measure-reading.sh [path/to/pgn]
set -eu

pgn=${1:-build/hb/tools/pgn}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
size=$((64 << 20))
game=$(sed -n '2,16p' "$(dirname "$0")/../tests/engine/data/tricky.pgn")

printf '%s\n\n' "$game" >"$work/one.pgn"
{ yes "$game" || true; } | head -c "$size" >"$work/games.pgn"
{ yes 'a3' || true; } | tr '\n' ' ' | head -c "$size" >"$work/a3.pgn"
{ yes '*' || true; } | tr '\n' ' ' | head -c "$size" >"$work/stars.pgn"

peak() { # peak resident KiB, seconds, and the tool's last line
  { /usr/bin/time -f '%M %e %U' -o "$work/time" "$pgn" "$1" --list || true; } | tail -n 1 >"$work/out"
  echo "$(cat "$work/time") $(tail -n 1 "$work/out")"
}
read -r idle _ _ < <(peak "$work/one.pgn")
echo "file size: $((size >> 10)) KiB; the tool on a one-game file: $idle KiB"
for shape in games a3 stars; do
  read -r kib seconds user last < <(peak "$work/$shape.pgn")
  echo "$shape: peak $kib KiB, $((kib - idle)) KiB above idle ($(((kib - idle) * 100 / (size >> 10)))% of the file), ${seconds} s (${user} s of CPU); $last"
done
