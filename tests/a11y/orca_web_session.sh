#!/usr/bin/env bash
# Runs the browser page under Orca, headless: a virtual X server, a private
# session bus with the accessibility bus on it, Orca logging what it would say,
# and Chromium as a real window on the same bus. Drives the whole exercise and a
# conversion between number systems from the keyboard, as a blind pupil would,
# and leaves Orca's debug log in the given file.
set -euo pipefail
source "$(dirname "$0")/orca_bus.sh"

start_orca "$2"
/usr/bin/python3 "$(dirname "$0")/../../scripts/serve-web.py" "$1" >"$WORKDIR/server" &
SERVER_PID=$!
for _ in $(seq 100); do grep -q http "$WORKDIR/server" && break; sleep 0.1; done
url=$(grep -o 'http://[^ ]*' "$WORKDIR/server")

# A fresh profile that offers no translation, so that no info bar talks over the page;
# as root, Chromium starts only without its sandbox.
mkdir -p "$WORKDIR/chromium/Default"
echo '{"translate":{"enabled":false}}' >"$WORKDIR/chromium/Default/Preferences"
chromium --no-sandbox --test-type --force-renderer-accessibility \
  --user-data-dir="$WORKDIR/chromium" --no-first-run --no-default-browser-check \
  --disable-background-networking --disable-component-update --disable-sync --disable-gpu --lang=bg \
  --window-position=0,0 --window-size=800,600 "$url" >/dev/null 2>&1 &
APP_PID=$!
WINDOW=$(timeout 60 xdotool search --sync --onlyvisible --name "Представяне на десетична дроб")
xdotool mousemove 1 1
xdotool windowfocus --sync "$WINDOW"
sleep 5

# 1. The description line by line; every control once around, then the
# exercise's, the worksheet's and the number systems' buttons and the help's link
# below the window, the browser's own toolbar, five stops, and back to the description.
keys Down Down Up Up
keys Tab Tab Tab Tab Tab Tab Tab Tab
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab
# 2 and 3. The input typed over, then twelve digits.
type_fraction_and_count
# 4. The calculation, without leaving the button.
keys Tab space
sleep 2
# 5. The trace line by line; then, in browse mode, the locked input above it.
keys shift+Tab shift+Tab Down Down Up Up orca+a Up
# 6. A range (the locked input is skipped).
keys shift+Tab Down
sleep 2
# 7. Clearing.
keys shift+Tab space
sleep 2
# 8. The exercise with 0.3 and the count kept: started from its button below the
# window, one product right, its digit right, the next product wrong.
keys Tab Tab
xdotool type --delay 300 0.3
keys Tab Tab Tab Tab Tab space
sleep 2
for answer in 0,6 0 1; do
  xdotool type --delay 300 "$answer"
  keys Return
  sleep 1
done
# 9. The number systems: the exercise ended from «Край», past «Провери»; then on
# from «Упражнение» past «Работен лист» to «Бройни системи», and 37.625 from
# base 10 to base 2, the lists left as they open.
keys Tab Tab space
sleep 2
keys Tab Tab space
sleep 2
xdotool type --delay 300 37.625
keys Return
sleep 2
# 10. A division exercise of the number-systems part: a link opens it with 6 to
# base 2, four Tabs reach «Упражнение с това число», one quotient right, the
# remainder wrong.
keys ctrl+l
xdotool type --delay 50 "$url#from=10&to=2&x=6"
keys Return
sleep 3
keys Tab Tab Tab Tab space
sleep 2
for answer in 3 1; do
  xdotool type --delay 300 "$answer"
  keys Return
  sleep 1
done
stop_orca
