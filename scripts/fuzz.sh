#!/usr/bin/env bash
# Builds the fuzz preset and runs the puzzle loader fuzzer for SECONDS
# (default 60), then the picture decoder, texture list and input script
# fuzzers for EXTRA_SECONDS each (default 10). Fails on any crash, hang, leak
# or sanitizer report; the input that caused it is left in build/fuzz/artifacts/.
#
#   scripts/fuzz.sh [SECONDS [EXTRA_SECONDS]]
set -euo pipefail

seconds="${1:-60}"
extra="${2:-10}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target vaporwick_puzzle_fuzz vaporwick_picture_fuzz \
  vaporwick_texture_list_fuzz vaporwick_script_fuzz

corpus="$root/build/fuzz/corpus"     # grows from run to run
artifacts="$root/build/fuzz/artifacts"
mkdir -p "$corpus" "$artifacts"

# The shipped puzzles as seeds: each alone, and the first four together.
shipped=(data/Puzzles/*.txt)
if [ -e "${shipped[0]}" ]; then
  for f in "${shipped[@]}"; do
    { printf 'P0.txt\n|&\n'; printf '\0'; cat "$f"; } >"$corpus/shipped-$(basename "$f")"
  done
  {
    printf 'P0.txt\n|P1.txt\n|P2.txt\n|P3.txt\n|&\n'
    for f in "${shipped[@]:0:4}"; do printf '\0'; cat "$f"; done
  } >"$corpus/shipped-together"
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"

status=0
"$root/build/fuzz/fuzz/vaporwick_puzzle_fuzz" "$corpus" "$root/fuzz/corpus" \
  -dict="$root/fuzz/puzzle.dict" -max_len=4096 \
  -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
  -artifact_prefix="$artifacts/" -print_final_stats=1 || status=$?

# The other readers of run-time files, each briefly from its own seeds.
run_extra() {
  local name="$1" seeds="$2"
  mkdir -p "$root/build/fuzz/corpus-$name"
  [ "$status" -ne 0 ] && return
  "$root/build/fuzz/fuzz/vaporwick_${name}_fuzz" "$root/build/fuzz/corpus-$name" "$seeds" \
    -max_len=65536 -max_total_time="$extra" -timeout=2 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts/$name-" -print_final_stats=1 || status=$?
}
run_extra picture "$root/fuzz/corpus-picture"
run_extra texture_list "$root/fuzz/corpus-texture-list"
run_extra script "$root/tests/campaign/walkthroughs"

if [ "$status" -ne 0 ]; then
  echo "fuzz: FAILED (libFuzzer status $status); see $artifacts/" >&2
  exit 1
fi
echo "fuzz: passed ${seconds} s (puzzle loader) and ${extra} s each (pictures, texture list, input scripts) without a crash, hang, leak or sanitizer report"
