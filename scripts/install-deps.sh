#!/usr/bin/env bash
# Installs the Debian packages that building and running the program need and,
# for `test` (the default), those the tests and tools need as well.
# Quick when everything is already present: apt is only touched for what is missing.
# `audit` adds what the page's audit needs on top of `test`.
# Usage: install-deps.sh [run|test|audit] [extra packages...]
# Extra package names are installed too (tools for one script).
set -euo pipefail

group=test
if [ "${1:-}" = run ] || [ "${1:-}" = test ] || [ "${1:-}" = audit ]; then
  group=$1
  shift
fi

packages=(
  build-essential cmake ninja-build make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-liberation2
)
if [ "$group" != run ]; then
  packages+=(
    clang-format googletest libgtest-dev qt6-base-private-dev
    xvfb xdotool xclip xauth
    webkit2gtk-driver poppler-utils
    desktop-file-utils appstream dpkg-dev file lintian
    clang libclang-rt-14-dev valgrind
    libbenchmark-dev jq libxml2-utils
    emscripten node-jsdom chromium chromium-driver python3-selenium
    fonts-croscore python3-fonttools python3-brotli fonts-dejavu-core
  )
fi
# The HTML checker runs on Java; Lighthouse, and the SCORM runtime of the
# downloads' test, come through npm, which a Node.js of another origin than
# Debian's may already bring along.
if [ "$group" != run ]; then
  command -v npm >/dev/null || packages+=(npm)
fi
if [ "$group" = audit ]; then
  packages+=(default-jre-headless)
fi
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
