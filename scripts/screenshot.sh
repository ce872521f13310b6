#!/usr/bin/env bash
# Takes the README's screenshot: the real window after a calculation of 0.45
# with the count 10.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh imagemagick
make build
source scripts/x11_driver.sh
start_program build/kviltora
choose_count 10
press_calculate
import -window "$WINDOW" docs/screenshot.png
echo "wrote docs/screenshot.png"
