#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test through CTest. Without
# arguments it also runs the gates of scripts/gates.sh: format and layering checks before the
# build; sanitizers, clang and the fuzz targets after the tests. With ctest arguments (e.g.
# -L unit) it runs only the tests they select.
# Usage: scripts/test.sh [ctest arguments...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VORN_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh" test
gates=0
if [ $# -eq 0 ]; then gates=1; fi
if [ "$gates" = 1 ]; then "$root/scripts/gates.sh" checks; fi

werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
sanitize=OFF
if [ -n "${VORN_SANITIZE:-}" ]; then sanitize=ON; fi
start=$SECONDS
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORN_WERROR="$werror" -DVORN_SANITIZE="$sanitize" -DVORN_BUILD_TESTS=ON \
  -DVORN_BUILD_BENCH=ON
cmake --build "$build" -j "$(nproc)"
echo "=== main build done in $((SECONDS - start)) s"
start=$SECONDS
(cd "$build" && ctest --output-on-failure -j "$(nproc)" --timeout 600 "$@")
echo "=== main tests done in $((SECONDS - start)) s"

if [ "$gates" = 1 ]; then "$root/scripts/gates.sh" builds; fi
