#!/usr/bin/env bash
# Tries the Debian package from `make package` on this machine: installs it
# with apt, runs the installed /usr/bin/kviltora under a virtual X server
# (found by its title and by the window class its menu entry names, then the
# end-to-end calculation), and removes it again. Needs root or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
debs=(dist/kviltora_*.deb)
[ -f "${debs[0]}" ] || { echo "no package in dist/: run make package first"; exit 1; }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

if dpkg-query -W -f='${Status}' kviltora 2>/dev/null | grep -q 'install ok installed'; then
  echo "kviltora is installed already; remove it first (apt-get remove kviltora)"
  exit 1
fi
$sudo apt-get install -y -qq "./${debs[0]}"
trap '$sudo apt-get remove -y -qq kviltora' EXIT

dpkg -L kviltora
tests/e2e/calculate_e2e.sh /usr/bin/kviltora
(
  source scripts/x11_driver.sh
  start_program /usr/bin/kviltora
  wm_class=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/*.kviltora.desktop)
  found=$(timeout 10 xdotool search --sync --onlyvisible --class "$wm_class")
  [ "$found" = "$WINDOW" ] || { echo "no window of class $wm_class"; exit 1; }
  echo "the installed program opened window $WINDOW of class $wm_class"
)
