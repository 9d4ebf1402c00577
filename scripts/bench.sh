#!/usr/bin/env bash
# Builds the optimised benchmarks (the bench preset, in build/bench) and
# prints every performance figure of docs/performance.md:
#   - Google Benchmark: updateGame and renderFrame in the busiest steam-jet
#     scene for each power, loadPuzzles of the campaign, the headless replay
#     of the campaign walkthrough;
#   - start-up to the first presented frame of the real binary under Xvfb;
#   - the frame loop's CPU use at the title menu under Xvfb.
#
#   scripts/bench.sh [extra Google Benchmark options, e.g. --benchmark_filter=Update]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
./scripts/setup.sh

cmake --preset bench >/dev/null
cmake --build build/bench -j2
game="$root/build/bench/vaporwick"

echo "== benchmarks (Release, build/bench; times per call, median_ms = median of single calls)"
"$root/build/bench/bench/vaporwick_bench" --benchmark_counters_tabular=true "$@"

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo
echo "== start-up to the first presented frame (windowed under Xvfb, median of 5 runs)"
from_main=()
wall=()
for _ in 1 2 3 4 5; do
  line=$(xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
    'TIMEFORMAT="wall %R"; { time "$0" --verbose --mute --frames 2 >/dev/null 2>"$1"; } 2>&1; cat "$1"' \
    "$game" "$(mktemp)")
  from_main+=("$(sed -n 's/.*first frame presented \([0-9.]*\) ms.*/\1/p' <<<"$line")")
  wall+=("$(sed -n 's/^wall \([0-9.]*\)$/\1/p' <<<"$line")")
done
printf '  from main() to the first present: %s ms (runs: %s)\n' \
  "$(printf '%s\n' "${from_main[@]}" | median)" "${from_main[*]}"
printf '  whole process, --frames 2 (exec, start-up, one frame, exit): %s s (runs: %s)\n' \
  "$(printf '%s\n' "${wall[@]}" | median)" "${wall[*]}"

echo
echo "== frame loop at the title menu (windowed under Xvfb, 720 updates = 12 s)"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
  'TIMEFORMAT="%R %U %S"; { time "$0" --mute --frames 720 >/dev/null 2>&1; } 2>&1' "$game" |
  awk '{ printf "  wall %.2f s, user %.2f s, system %.2f s: %.1f %% of one core\n", $1, $2, $3, ($2 + $3) / $1 * 100 }'
