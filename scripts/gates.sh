#!/usr/bin/env bash
# The checks of the full test run besides the tests of the main build, in two groups:
#   checks  quick checks of the sources, run before the main build
#   builds  a check of the main build's packages, further builds of the code and the tests run
#           in them, run after the main tests
# Each gate is a script; a new one is one more `run` line below.
# Usage: scripts/gates.sh checks|builds
set -euo pipefail
scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# run NAME SCRIPT: runs the gate and tells how long it took.
run() {
  local start=$SECONDS
  echo "=== gate $1"
  "$2"
  echo "=== gate $1 passed in $((SECONDS - start)) s"
}

case "${1:-}" in
  checks)
    run format "$scripts/gates/format.sh"
    run layering "$scripts/gates/layering.sh"
    ;;
  builds)
    run packages "$scripts/gates/packages.sh"
    run sanitizers "$scripts/gates/sanitizers.sh"
    run clang "$scripts/gates/clang.sh"
    run fuzz "$scripts/fuzz.sh"
    ;;
  *)
    echo "usage: $0 checks|builds" >&2
    exit 2
    ;;
esac
