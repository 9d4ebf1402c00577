#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. Extra arguments go
# to the game (see `--help`).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec ./build/default/vaporwick "$@"
