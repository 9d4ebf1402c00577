#!/bin/sh
# Draws a screenshot of every puzzle of the campaign into docs/puzzles/: the
# built game plays the puzzle alone with its walkthrough in a virtual X
# server (Xvfb) and keeps the frame of a telling moment.
#   scripts/puzzle-screenshots.sh [BUILD_DIR]     (default: build/default)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
game=$build/vaporwick
if [ ! -x "$game" ] || [ ! -d "$build/data/Pictures" ]; then
  echo "puzzle-screenshots.sh: no built game with its pictures in $build (build it first)" >&2
  exit 1
fi
if ! command -v xvfb-run >/dev/null; then
  echo "puzzle-screenshots.sh: xvfb-run is needed (Debian package xvfb)" >&2
  exit 1
fi
walkthroughs=$root/tests/campaign/walkthroughs
mkdir -p "$root/docs/puzzles"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/data" "$work/data"
# The puzzles as they stand in the source tree, built or not.
mkdir -p "$work/data/Puzzles"
cp "$root"/data/Puzzles/*.txt "$work/data/Puzzles/"

# shot NAME FRAME: plays puzzle NAME alone for FRAME updates of its walkthrough.
shot() {
  printf 'Puzzles/%s.txt\n|&\n' "$1" > "$work/data/Settings/puzzleFileNames.txt"
  SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$game" --data "$work/data" --mute --script "$walkthroughs/$1.txt" --frames "$2" \
    --screenshot "$root/docs/puzzles/$1.png"
  echo "docs/puzzles/$1.png"
}

shot 01-first-steps 690    # gliding under the umbrella over the wide gap
shot 02-stay-down 330      # on the shelf: the button is down, the gate rises
shot 03-water-wheel 125    # water turns the wheel, the gate opens
shot 04-ice-rink 265       # the frozen floor lets the box slide to the wall
shot 05-water-push 360     # water shoves the box along the icy trench
shot 06-thaw 700           # the box stops on the thawed block, on the button
shot 07-trap-door 330      # over the pit on the shut trap door
shot 08-steam-jets 530     # riding the second jet while its wheel turns
shot 09-jammed-jet 260     # ice shoves the box out of the jet's column
shot 10-finale 810         # "You Win!!"
