#!/bin/sh
# Regenerates the screenshots in docs/: the title menu and a play scene
# with spray, drawn by the built game in a virtual X server (Xvfb).
#   scripts/screenshots.sh [BUILD_DIR]     (default: build/default)
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

# shot NAME: runs scripts/screenshots/NAME.txt to its end and keeps the last frame.
shot() {
  script=$root/scripts/screenshots/$1.txt
  # The run lasts exactly as many updates as the script has.
  frames=$(awk '!/^[ \t]*(#|$|dt|seed)/ { n += $1 } END { print n }' "$script")
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$game" --data "$build/data" --script "$script" --frames "$frames" --screenshot "$root/docs/$1.png"
  echo "docs/$1.png"
}

shot title-menu
shot play-scene
