#!/usr/bin/env bash
# Installs what the program needs, configures, and builds the program: the `vorn` target and
# its dependencies only, no tests or benchmarks. Quiet when it succeeds; when it fails, it
# shows the whole output of the build.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VORN_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh" run

log="$(mktemp)"
trap 'rm -f "$log"' EXIT
# show_on_failure COMMAND...: runs the command, its output kept aside unless it fails.
show_on_failure() {
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
  fi
}

# Configured once; after that the build configures again by itself when a CMake file changed.
# A folder configured by the test command keeps its tests (their packages are installed then).
if [ ! -f "$build/build.ninja" ]; then
  options=()
  if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "Building the program in $build (the first time takes a few minutes)"
    options=(-DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF)
  fi
  show_on_failure cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "${options[@]}"
fi
show_on_failure cmake --build "$build" -j "$(nproc)" --target vorn
