#!/usr/bin/env bash
# The real program under a virtual X server: type a fraction, choose a count
# with mouse and keyboard, press the button, read the trace back.
set -euo pipefail
source "$(dirname "$0")/../../scripts/x11_driver.sh"

start_program "$1"
type_fraction 0.3
choose_count 12
press_calculate
trace=$(read_output)

fail=0
expect_line() {  # number text
  local actual
  actual=$(sed -n "$1p" <<<"$trace")
  if [ "$actual" != "$2" ]; then
    echo "line $1: expected '$2', got '$actual'"
    fail=1
  fi
}
expect_line 1 "Преобразувам десетичната дроб: 0.3"
expect_line 8 "0.399999999999999"
expect_line 15 "0.01001100110"
expect_line 16 "Проверка на резултата: "
expect_line 28 "След обратно преобразуване числото е: 0.29980468750"
[ "$fail" -eq 0 ] || { printf 'trace:\n%s\n' "$trace"; exit 1; }
echo "end-to-end trace as expected: 28 lines"
