#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test through CTest, then (when
# no CTest arguments narrow the run) the fuzz targets for a bounded time (scripts/fuzz.sh).
# Usage: scripts/test.sh [ctest arguments...]   (e.g. -L unit)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VORN_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"

werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORN_WERROR="$werror" ${VORN_SANITIZE:+-DVORN_SANITIZE=ON}
cmake --build "$build" -j "$(nproc)"
(cd "$build" && ctest --output-on-failure -j "$(nproc)" --timeout 600 "$@")
if [ $# -eq 0 ]; then "$root/scripts/fuzz.sh"; fi
