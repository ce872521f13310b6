#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need.
# Quick when everything is already present: apt is only touched for what is missing.
# Extra package names given as arguments are installed too (tools for one script).
set -euo pipefail

packages=(
  build-essential cmake ninja-build make pkg-config clang-format
  googletest libgtest-dev
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libgl-dev
  fonts-liberation2
  xvfb xdotool xclip xauth
  desktop-file-utils appstream dpkg-dev file
  clang libclang-rt-14-dev valgrind
  libbenchmark-dev jq
  "$@"
)

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
