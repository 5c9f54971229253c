#!/usr/bin/env bash
# Runs a command on a display of its own: Xvfb on a free display number with openbox as the
# window manager (or none with --no-wm). Both are stopped by their PIDs afterwards.
# Usage: run-with-openbox.sh [--no-wm] command [arguments...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
with_wm=1
if [ "${1:-}" = "--no-wm" ]; then with_wm=0; shift; fi

work="$(mktemp -d)"
xvfb_pid=""
wm_pid=""
stop() {
  if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null || true; wait "$wm_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap stop EXIT

# Xvfb picks a free display number and writes it to descriptor 3 once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 200); do
  grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.05
done
export DISPLAY=":$(head -n 1 "$work/display")"

if [ "$with_wm" = 1 ]; then
  HOME="$work" openbox --sm-disable --config-file "$here/openbox-rc.xml" >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$wm_pid" 2>/dev/null || { cat "$work/openbox.log" >&2; exit 1; }
    sleep 0.05
  done
  # openbox announces itself before it handles windows, and may drop a window mapped while it
  # starts: it is ready once a probe window gets managed. A dropped probe is replaced.
  clients() { xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -c '0x' || true; }
  ready=0
  for _ in $(seq 20); do
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
