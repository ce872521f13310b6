#!/usr/bin/env bash
# Runs the real program under Orca, headless: a virtual X server, a private
# session bus with the accessibility bus on it, and Orca logging what it would
# say. Drives the whole exercise from the keyboard, as a blind pupil would, and
# leaves Orca's debug log in the given file.
set -euo pipefail
source "$(dirname "$0")/orca_bus.sh"

start_orca "$2"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" 2>/dev/null &
APP_PID=$!
WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name "Представяне на десетична дроб")
xdotool mousemove 1 1
xdotool windowfocus --sync "$WINDOW"
sleep 3

# 1. Every control once around, back to the description.
keys Tab Tab Tab Tab Tab Tab Tab Tab
# 2 and 3. The input typed over, then twelve digits.
type_fraction_and_count
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
stop_orca
