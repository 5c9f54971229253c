#!/usr/bin/env bash
# Installs what the program needs when it is missing, builds the program (quietly unless the
# build fails), and starts it from its own folder, where its data files (VAppCmd.txt, vocab/,
# temp.txt) live. Needs an X11 session and a microphone.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
build="${VORN_BUILD_DIR:-$root/build}"
cd "$build/bin"
exec ./vorn "$@"
