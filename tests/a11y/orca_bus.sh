# Sourced at the top of a script: reruns it on a private session bus, then offers a
# virtual X server with the accessibility bus on that session bus, Orca headless
# writing what it would say to a debug log, and keys for it.

if [ -z "${KVILTORA_IN_SESSION:-}" ]; then
  export KVILTORA_IN_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/x11_driver.sh"
WORKDIR=$(mktemp -d)

# On exit the work folder goes once the program has stopped: Chromium writes to
# its profile there while it shuts down.
stop_all() {
  kill ${APP_PID:-} ${SERVER_PID:-} ${ORCA_PID:-} "$BUS_PID" "$XVFB_PID" 2>/dev/null || true
  [ -z "${APP_PID:-}" ] || wait "$APP_PID" 2>/dev/null || true
  rm -rf "$WORKDIR"
}

start_bus() {
  start_xvfb
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  BUS_PID=$!
  trap stop_all EXIT
  sleep 1
}

start_orca() {  # log
  # Orca speaks its own words (roles, states) in English, whatever the machine's locale.
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
  unset LANGUAGE
  rm -f "$1"
  start_bus
  # A fresh settings folder: Orca's defaults, whatever the machine's user set.
  orca --replace -u "$WORKDIR/orca" --debug-file="$1" >/dev/null 2>&1 &
  ORCA_PID=$!
  sleep 4
}

keys() {  # key...; orca+KEY holds Orca's modifier
  local k
  for k in "$@"; do
    if [[ $k == orca+* ]]; then
      xdotool keydown Insert key "${k#orca+}" keyup Insert
    else
      xdotool key "$k"
    fi
    sleep 1
  done
}

# From the description: Tab to the input and type 0.3 over it, on to the counts
# and Down to "12"; then back to the input and to the list, each asked where it is.
type_fraction_and_count() {
  keys Tab Tab Tab ctrl+a
  xdotool type --delay 300 0.3
  sleep 1
  keys Tab Tab Down Down Down Down Down Down Down Down
  keys shift+Tab shift+Tab KP_Enter Tab Tab KP_Enter
}

stop_orca() {
  # Orca writes its log in blocks: a few more keys push the last lines out.
  keys shift shift shift shift
  kill -TERM "$ORCA_PID"
  for _ in $(seq 50); do kill -0 "$ORCA_PID" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$ORCA_PID" 2>/dev/null || true
}
