#!/bin/sh
# Regenerates the screenshots in docs/: the title menu, a play scene with
# spray, the pause screen and the closing panel, drawn by the built game in
# a virtual X server (Xvfb). The campaign's own pictures, which show the link
# lamps of every puzzle, come from scripts/campaign-screenshots.sh.
#   scripts/screenshots.sh [BUILD_DIR]     (default: build/default)
# The closing panel comes at the end of the whole campaign's walkthrough,
# which plays in real time: about three minutes.
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
trap 'rm -f "$progress"' EXIT

# shot NAME [FURTHEST [SCRIPT [EXTRA]]]: runs SCRIPT (default
# scripts/screenshots/NAME.txt) to its end, EXTRA updates more, and keeps the
# last frame. With FURTHEST, the run starts with that much progress, so the
# title menu offers "Continue".
shot() {
  script=${3:-$root/scripts/screenshots/$1.txt}
  # The run lasts exactly as many updates as the script has.
  frames=$(awk '!/^[ \t]*(#|$|dt|seed)/ { n += $1 } END { print n }' "$script")
  frames=$((frames + ${4:-0}))
  set -- "$1" "${2:-}"
  if [ -n "$2" ]; then
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
shot ending "" "$root/tests/campaign/walkthroughs/campaign.txt" 90
