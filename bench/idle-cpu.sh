#!/usr/bin/env bash
# What the program costs while it listens to a silent microphone: for each program given, a
# copy in a program folder of its own, on an Xvfb of its own, with a private PulseAudio whose
# default source is a virtual microphone that hears nothing. All of them run at once, side by
# side, and the share of one core used by each program and by its X server is printed.
# Usage: bench/idle-cpu.sh [--seconds N] PROGRAM [PROGRAM...]
#   e.g. bench/idle-cpu.sh /tmp/before/bin/vorn build/bin/vorn
set -euo pipefail
seconds=30
if [ "${1:-}" = "--seconds" ]; then seconds="$2"; shift 2; fi
[ $# -ge 1 ] || { echo "usage: $0 [--seconds N] PROGRAM [PROGRAM...]" >&2; exit 2; }

work="$(mktemp -d)"
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

# CPU time of a process so far, in clock ticks (user + system).
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths="$1"; shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}

names=("$@")
programs=()
xservers=()
for index in $(seq $#); do
  program="${!index}"
  run="$work/$index"
  mkdir -p "$run/bin" "$run/pulse" "$run/home"
  cp "$program" "$run/bin/vorn"

  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$run/display" 2>/dev/null &
  xserver=$!
  pids+=("$xserver")
  wait_for 300 grep -q '^[0-9]' "$run/display" || { echo "Xvfb did not start" >&2; exit 1; }

  socket="$run/pulse/native"
  HOME="$run/pulse" XDG_RUNTIME_DIR="$run/pulse" PULSE_RUNTIME_PATH="$run/pulse/run" \
    PULSE_STATE_PATH="$run/pulse/state" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no --disallow-exit \
    -L "module-native-protocol-unix socket=$socket auth-anonymous=1" \
    -L "module-null-sink rate=16000 channels=1 sink_name=silence" \
    -L "module-virtual-source source_name=microphone master=silence.monitor" >/dev/null 2>&1 &
  pids+=("$!")
  wait_for 300 pactl --server="unix:$socket" set-default-source microphone 2>/dev/null ||
    { echo "PulseAudio did not start" >&2; exit 1; }

  DISPLAY=":$(head -n 1 "$run/display")" PULSE_SERVER="unix:$socket" HOME="$run/home" \
    XDG_CONFIG_HOME="$run/home/.config" "$run/bin/vorn" >/dev/null 2>&1 &
  programs+=("$!")
  pids+=("$!")
  xservers+=("$xserver")
done

# The programs settle (start listening, draw their windows) before the measurement.
sleep 5
ticks_per_second="$(getconf CLK_TCK)"
before=()
for pid in "${programs[@]}" "${xservers[@]}"; do before+=("$(ticks "$pid")"); done
sleep "$seconds"
after=()
for pid in "${programs[@]}" "${xservers[@]}"; do after+=("$(ticks "$pid")"); done

count=${#programs[@]}
echo "share of one core over ${seconds} s, listening to a silent microphone:"
for index in $(seq 0 $((count - 1))); do
  program_share=$(awk -v t=$((after[index] - before[index])) -v s="$seconds" \
    -v h="$ticks_per_second" 'BEGIN { printf "%.2f", 100 * t / h / s }')
  x=$((index + count))
  x_share=$(awk -v t=$((after[x] - before[x])) -v s="$seconds" \
    -v h="$ticks_per_second" 'BEGIN { printf "%.2f", 100 * t / h / s }')
  printf '  %-40s program %5s %%   X server %5s %%\n' "${names[index]}" "$program_share" \
    "$x_share"
done
