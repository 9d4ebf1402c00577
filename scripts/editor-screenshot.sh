#!/bin/sh
# Redraws docs/editor.png: the puzzle editor on a copy of the water-wheel
# puzzle with the wheel selected, drawn by the built game under Xvfb.
#   scripts/editor-screenshot.sh [BUILD_DIR]     (default: build/default)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
game=$build/vaporwick
if [ ! -x "$game" ]; then
  echo "editor-screenshot.sh: no vaporwick binary in $build (build it first)" >&2
  exit 1
fi
if ! command -v xvfb-run >/dev/null; then
  echo "editor-screenshot.sh: xvfb-run is needed (Debian package xvfb)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/data/Puzzles/03-water-wheel.txt" "$work/water-wheel.txt"
# The wheel's picture stands at window pixel (639, 322) in the starting view.
cat > "$work/script.txt" <<SCRIPT
wait 3
click 639 322
wait 3
screenshot $work/editor.png
SCRIPT
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$game" --data "$build/data" --edit "$work/water-wheel.txt" --edit-script "$work/script.txt"
mkdir -p "$root/docs"
cp "$work/editor.png" "$root/docs/editor.png"
echo "docs/editor.png"
