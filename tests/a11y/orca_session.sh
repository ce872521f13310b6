#!/usr/bin/env bash
# Runs the real program under Orca, headless: a virtual X server, a private
# session bus with the accessibility bus on it, and Orca logging what it would
# say. Drives the whole exercise from the keyboard, as a blind pupil would, and
# leaves Orca's debug log in the given file.
set -euo pipefail

if [ -z "${KVILTORA_IN_SESSION:-}" ]; then
  export KVILTORA_IN_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi

program=$1
log=$2
here=$(dirname "$0")
source "$here/../../scripts/x11_driver.sh"

# Orca speaks its own words (roles, states) in English, whatever the machine's locale.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset LANGUAGE
rm -f "$log"
workdir=$(mktemp -d)
start_xvfb
/usr/libexec/at-spi-bus-launcher --launch-immediately &
BUS_PID=$!
trap 'kill ${APP_PID:-} ${ORCA_PID:-} "$BUS_PID" "$XVFB_PID" 2>/dev/null || true; rm -rf "$workdir"' EXIT
sleep 1

# A fresh settings folder: Orca's defaults, whatever the machine's user set.
orca --replace -u "$workdir/orca" --debug-file="$log" >/dev/null 2>&1 &
ORCA_PID=$!
sleep 4

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" 2>/dev/null &
APP_PID=$!
WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name "Представяне на десетична дроб")
xdotool mousemove 1 1
xdotool windowfocus --sync "$WINDOW"
sleep 3

keys() {  # key...
  for k in "$@"; do
    xdotool key "$k"
    sleep 1
  done
}

# 1. Every control once around, back to the description.
keys Tab Tab Tab Tab Tab Tab Tab Tab
# 2. The input, typed over.
keys Tab Tab Tab ctrl+a
xdotool type --delay 300 0.3
sleep 1
# 3. Twelve digits; then back to the input and to the list, each asked where it is.
keys Tab Tab Down Down Down Down Down Down Down Down
keys shift+Tab shift+Tab KP_Enter Tab Tab KP_Enter
# 4. The calculation, without leaving the button; then the locked input in flat review.
keys Tab space
sleep 2
keys KP_Subtract KP_Up KP_Left
xdotool keydown KP_Insert key KP_Begin keyup KP_Insert
sleep 1
keys KP_Subtract
# 5. A range.
keys Tab Tab Tab Tab Down
sleep 2
# 6. Clearing.
keys shift+Tab space
sleep 2
# Orca writes its log in blocks: a few more keys push the last lines out.
keys shift shift shift shift
kill -TERM "$ORCA_PID"
for _ in $(seq 50); do kill -0 "$ORCA_PID" 2>/dev/null || break; sleep 0.1; done
kill -KILL "$ORCA_PID" 2>/dev/null || true
