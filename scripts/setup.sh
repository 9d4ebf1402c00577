#!/usr/bin/env bash
# Installs the Debian packages Vaporwick builds, tests and runs with, if any
# is missing. Idempotent and quick when everything is there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libsdl2-dev libepoxy-dev libglm-dev libstb-dev libimgui-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth libgl1-mesa-dri libglx-mesa0
  fonts-dejavu-core
  emscripten node-acorn nodejs chromium python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
# The browser test's npm: Debian's package, unless the installed Node.js brings its own.
if ! command -v npm >/dev/null; then missing+=(npm); fi
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
