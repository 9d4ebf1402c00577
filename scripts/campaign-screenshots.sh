#!/bin/sh
# Draws a screenshot of every puzzle of the campaign into docs/campaign/: for
# each puzzle of data/Settings/puzzleFileNames.txt, the built game plays it
# alone with its walkthrough in a virtual X server (Xvfb) and keeps the frame
# the walkthrough's first line names ("# screenshot N: what it shows"; without
# it, the middle of the walkthrough).
#   scripts/campaign-screenshots.sh [BUILD_DIR]     (default: build/default)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
game=$build/vaporwick
if [ ! -x "$game" ] || [ ! -d "$build/data/Pictures" ]; then
  echo "campaign-screenshots.sh: no built game with its pictures in $build (build it first)" >&2
  exit 1
fi
if ! command -v xvfb-run >/dev/null; then
  echo "campaign-screenshots.sh: xvfb-run is needed (Debian package xvfb)" >&2
  exit 1
fi
walkthroughs=$root/tests/campaign/walkthroughs
out=$root/docs/campaign
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/data" "$work/data"
# The puzzles as they stand in the source tree, built or not.
mkdir -p "$work/data/Puzzles"
cp "$root"/data/Puzzles/*.txt "$work/data/Puzzles/"

# The list's entries, one a line: "Puzzles/NN-name.txt".
tr -d '\r' < "$root/data/Settings/puzzleFileNames.txt" | sed -n 's/^|\{0,1\}\(Puzzles\/[^|&]*\.txt\)$/\1/p' > "$work/list"
while read -r entry; do
  name=$(basename "$entry" .txt)
  script=$walkthroughs/$name.txt
  if [ ! -f "$script" ]; then
    echo "campaign-screenshots.sh: $entry has no walkthrough ($script)" >&2
    exit 1
  fi
  frame=$(sed -n '1s/^# screenshot \([0-9][0-9]*\):.*/\1/p' "$script")
  if [ -z "$frame" ]; then
    total=$(awk '/^[0-9]/ { n += $1 } END { print n }' "$script")
    frame=$((total / 2))
  fi
  # Listed twice, so that "You Win!!" and the ending stand in the second copy.
  printf '%s\n|%s\n|&\n' "$entry" "$entry" > "$work/data/Settings/puzzleFileNames.txt"
  SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$game" --data "$work/data" --mute --script "$script" --frames "$frame" \
    --screenshot "$out/$name.png"
  echo "docs/campaign/$name.png (update $frame)"
done < "$work/list"
