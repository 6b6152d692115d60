#!/usr/bin/env bash
# Measures the program's start: wall time from launching it to the end of its first paint, and
# its resident memory then, over several runs under one Xvfb server. The start-up probe runs the
# program's own start-up code and reports its first paint.
#   scripts/measure-startup.sh [path/to/quorrin_startup] [runs]
set -euo pipefail

program=${1:-build/release/tools/startup/quorrin_startup}
runs=${2:-15}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program" "$runs"
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%3N)
  report=$("$program" 2>/dev/null)
  painted=$(awk '/^first-paint-epoch-ms/ {print $2}' <<<"$report")
  resident=$(awk '/^resident-kB/ {print $2}' <<<"$report")
  times+=($((painted - start)))
  echo "start to first paint: $((painted - start)) ms, resident: ${resident} kB"
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "median of ${runs}: ${sorted[$((runs / 2))]} ms (fastest ${sorted[0]}, slowest ${sorted[-1]})"
