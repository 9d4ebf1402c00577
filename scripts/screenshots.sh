#!/bin/sh
# Regenerates the screenshots in docs/: the title menu, a play scene with
# spray, the pause screen, a steam vent switched off and on, and the closing
# panel, drawn by the built game in a virtual X server (Xvfb). The campaign's
# own pictures, which show the link lamps of every puzzle, come from
# scripts/campaign-screenshots.sh.
#   scripts/screenshots.sh [BUILD_DIR]     (default: build/default)
# The closing panel comes after "Continue" at the finale and its walkthrough,
# which plays in real time: about forty seconds.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
game=$build/vaporwick
[ -x "$game" ] || game=$build/src/vaporwick
if [ ! -x "$game" ]; then
  echo "screenshots.sh: no vaporwick binary in $build (build it first)" >&2
  exit 1
fi
if ! command -v xvfb-run >/dev/null; then
  echo "screenshots.sh: xvfb-run is needed (Debian package xvfb)" >&2
  exit 1
fi
mkdir -p "$root/docs"

progress=$(mktemp)
ending=$(mktemp)
trap 'rm -f "$progress" "$ending"' EXIT

# shot NAME [FURTHEST [SCRIPT [EXTRA [PUZZLE]]]]: runs SCRIPT (default
# scripts/screenshots/NAME.txt) to its end, EXTRA updates more, and keeps the
# last frame. With FURTHEST, the run starts with that much progress, so the
# title menu offers "Continue". With PUZZLE, that puzzle file is played alone.
shot() {
  script=${3:-$root/scripts/screenshots/$1.txt}
  # The run lasts exactly as many updates as the script has.
  frames=$(awk '!/^[ \t]*(#|$|dt|seed)/ { n += $1 } END { print n }' "$script")
  frames=$((frames + ${4:-0}))
  alone=${5:-}
  set -- "$1" "${2:-}"
  if [ -n "$alone" ]; then
    set -- "$1" --no-save --puzzle "$root/data/Puzzles/$alone.txt"
  elif [ -n "$2" ]; then
    printf 'furthest %s\n' "$2" >"$progress"
    set -- "$1" --progress "$progress"
  else
    set -- "$1" --no-save
  fi
  name=$1
  shift
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$game" --data "$build/data" --script "$script" --frames "$frames" --mute "$@" \
    --screenshot "$root/docs/$name.png"
  echo "docs/$name.png"
}

shot title-menu 9
shot play-scene
shot pause-screen
shot jet-off "" "" 0 13-over-the-wall
shot jet-on "" "" 0 13-over-the-wall
# "Continue" (the menu's fourth line) at the finale, the twentieth puzzle,
# then the finale's walkthrough after its own click on "Start Game".
finale=$root/tests/campaign/walkthroughs/20-finale.txt
{ echo "seed 1"; echo "1 mouse 150 695 down"; sed -n '3,$p' "$finale"; } >"$ending"
shot ending 19 "$ending" 90
