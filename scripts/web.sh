#!/usr/bin/env bash
# Builds the game for the browser (the web preset, into build/web/site) and
# serves it on http://127.0.0.1:PORT/ (default 8000) until Ctrl+C.
#   ./scripts/web.sh [PORT]          build and serve
#   ./scripts/web.sh --build-only    build only
# The pictures come from the desktop build's generator, so the default
# preset is built first. The first build also compiles Emscripten's system
# libraries into ~/.cache/vaporwick/emscripten (a few minutes, once per machine).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

echo "== pictures and data (default build)"
cmake --preset default >/dev/null
cmake --build --preset default --target vaporwick_data vaporwick_pictures
echo "== web build"
cmake --preset web >/dev/null
cmake --build --preset web

site=build/web/site
echo "== $(du -sh "$site" | cut -f1) in $site"
[ "${1:-}" = "--build-only" ] && exit 0
port="${1:-8000}"
echo "Vaporwick is at http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
