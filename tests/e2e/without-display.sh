#!/usr/bin/env bash
# The program started without an X display says so, naming the display it tried, and exits
# non-zero.
set -u
check() {
  local expected="$1"
  shift
  local output status
  output="$(env -u WAYLAND_DISPLAY "$@" 2>&1)"
  status=$?
  if [ "$status" -eq 0 ]; then echo "exited with 0: $output"; exit 1; fi
  case "$output" in
    *"needs an X11 display"*"$expected"*) ;;
    *) echo "expected a message naming $expected: $output"; exit 1 ;;
  esac
}
check "DISPLAY is not set" env -u DISPLAY "$1"
# No server listens on this display number.
check '":65000"' env DISPLAY=:65000 "$1"
