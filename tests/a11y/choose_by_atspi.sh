#!/usr/bin/env bash
# Chooses a digit count as switch access and voice control do, through AT-SPI,
# and checks that the window and the calculation both take it.
set -euo pipefail
source "$(dirname "$0")/orca_bus.sh"

start_bus
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" 2>/dev/null &
APP_PID=$!
timeout 20 xdotool search --sync --onlyvisible --name "Представяне на десетична дроб" >/dev/null
sleep 2
/usr/bin/python3 "$(dirname "$0")/choose_by_atspi.py"
