# Sourced: runs the real program in a private virtual X server and drives it
# with xdotool, as a pupil would with mouse and keyboard.

start_xvfb() {
  local displayfile
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
  XVFB_PID=$!
  trap 'kill ${APP_PID:-} "$XVFB_PID" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$displayfile")"
  rm -f "$displayfile"
}

start_program() {  # program
  start_xvfb
  "$1" 2>/dev/null &
  APP_PID=$!
  WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name "Представяне на десетична дроб")
  sleep 0.5
}

# x and y are pixels from the top left corner of the window's client area.
click_at() {  # x y
  xdotool mousemove --window "$WINDOW" "$1" "$2" click 1
  sleep 0.2
}

# The digit-count list starts at "5"; each Down moves one count further.
choose_count() {  # count
  click_at 30 215
  for _ in $(seq $(($1 - 5))); do xdotool key --window "$WINDOW" Down; done
  sleep 0.2
}

type_fraction() {  # text
  click_at 280 189
  xdotool key --window "$WINDOW" ctrl+a BackSpace
  xdotool type --window "$WINDOW" --delay 20 "$1"
}

press_calculate() { click_at 444 188; }

read_output() {
  click_at 300 300
  xdotool key --window "$WINDOW" ctrl+a ctrl+c
  sleep 0.3
  xclip -o -selection clipboard
}
