#!/usr/bin/env bash
# Chooses a digit count as switch access and voice control do, through AT-SPI,
# and checks that the window and the calculation both take it.
set -euo pipefail

if [ -z "${KVILTORA_IN_SESSION:-}" ]; then
  export KVILTORA_IN_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi

here=$(dirname "$0")
source "$here/../../scripts/x11_driver.sh"
start_xvfb
/usr/libexec/at-spi-bus-launcher --launch-immediately &
BUS_PID=$!
trap 'kill ${APP_PID:-} "$BUS_PID" "$XVFB_PID" 2>/dev/null || true' EXIT
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" 2>/dev/null &
APP_PID=$!
timeout 20 xdotool search --sync --onlyvisible --name "Представяне на десетична дроб" >/dev/null
sleep 2
/usr/bin/python3 "$here/choose_by_atspi.py"
