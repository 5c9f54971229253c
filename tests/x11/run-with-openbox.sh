#!/usr/bin/env bash
# Runs a command on a display of its own: Xvfb on a free display number with openbox as the
# window manager (or none with --no-wm). Both are stopped by their PIDs afterwards.
# On a loaded machine every start may take long: each wait is generous, the display must
# accept a client before openbox starts, and an openbox that fails to start is started again.
# Usage: run-with-openbox.sh [--no-wm] command [arguments...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
with_wm=1
if [ "${1:-}" = "--no-wm" ]; then with_wm=0; shift; fi

work="$(mktemp -d)"
xvfb_pid=""
wm_pid=""
stop_wm() {
  if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null || true; wait "$wm_pid" 2>/dev/null || true; fi
  wm_pid=""
}
stop() {
  stop_wm
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap stop EXIT

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths="$1"; shift
  for _ in $(seq "$tenths"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Xvfb picks a free display number and writes it to descriptor 3 once it listens.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
display_known() {
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null
}
wait_for 600 display_known || { echo "Xvfb did not report its display" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
accepts_clients() { xprop -root -display "$DISPLAY" _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1; }
wait_for 600 accepts_clients || { echo "display $DISPLAY accepts no client" >&2; exit 1; }

# Starts openbox and waits until it announces itself; false when it dies or stays silent.
start_openbox() {
  HOME="$work" openbox --sm-disable --config-file "$here/openbox-rc.xml" >>"$work/openbox.log" 2>&1 &
  wm_pid=$!
  announced() {
    kill -0 "$wm_pid" 2>/dev/null || return 2
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
  }
  for _ in $(seq 300); do
    local status=0
    announced || status=$?
    [ "$status" = 0 ] && return 0
    [ "$status" = 2 ] && { wait "$wm_pid" 2>/dev/null || true; wm_pid=""; return 1; }
    sleep 0.1
  done
  stop_wm
  return 1
}

if [ "$with_wm" = 1 ]; then
  started=0
  for attempt in 1 2 3; do
    if start_openbox; then started=1; break; fi
    echo "openbox failed to start (attempt $attempt), starting it again" >&2
    sleep 1
  done
  [ "$started" = 1 ] || { echo "openbox did not start" >&2; cat "$work/openbox.log" >&2; exit 1; }
  # openbox announces itself before it handles windows, and may drop a window mapped while it
  # starts: it is ready once a probe window gets managed. A dropped probe is replaced.
  clients() { xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -c '0x' || true; }
  ready=0
  for _ in $(seq 30); do
    xmessage -timeout 10 "window manager probe" 2>/dev/null &
    probe_pid=$!
    for _ in $(seq 20); do
      [ "$(clients)" != 0 ] && { ready=1; break; }
      sleep 0.05
    done
    kill "$probe_pid" 2>/dev/null || true
    wait "$probe_pid" 2>/dev/null || true
    [ "$ready" = 1 ] && break
  done
  [ "$ready" = 1 ] || { echo "openbox did not start managing windows" >&2; cat "$work/openbox.log" >&2; exit 1; }
  for _ in $(seq 100); do
    [ "$(clients)" = 0 ] && break
    sleep 0.05
  done
fi

status=0
"$@" || status=$?
[ -n "${VORN_SHOW_WM_LOG:-}" ] && cat "$work/openbox.log" >&2
exit "$status"
