#!/usr/bin/env bash
# The browser test: builds the web preset, plays the native campaign run for
# comparison, and drives the page in Debian's headless chromium through
# puppeteer-core (installed from tests/web/package-lock.json; it downloads no
# browser). Pictures and figures land in build/web/test-output.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/web.sh --build-only
out=build/web/test-output
mkdir -p "$out"
build/default/vaporwick --headless --data build/default/data \
  --script tests/campaign/walkthroughs/campaign.txt --dump-state "$out/native-campaign.json"
(cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
timeout 600 node tests/web/browser-test.js build/web/site "$out/native-campaign.json" "$out"
