#!/usr/bin/env bash
# Builds the program's libraries and the program with clang, warnings as errors, in a build
# folder of its own: code that only one compiler accepts, or that only one warns about, fails.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${VORN_BUILD_DIR:-$root/build}-clang"

# Built only to be compiled: no optimisation and no debug information, which saves time.
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE= \
  -DVORN_WERROR=ON -DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
