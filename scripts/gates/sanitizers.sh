#!/usr/bin/env bash
# Builds the unit and GUI tests with AddressSanitizer and UndefinedBehaviorSanitizer in a build
# folder of their own and runs them; any report of either fails the run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${VORN_BUILD_DIR:-$root/build}-sanitize"

# Unoptimised with debug information: quicker to build, and reports name their lines.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORN_WERROR=ON \
  -DVORN_SANITIZE=ON -DVORN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tests/unit/all tests/gui/all
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600 -L 'unit|gui'
