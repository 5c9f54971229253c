#!/usr/bin/env bash
# Runs a command on an Xvfb display of its own with no window manager.
exec "$(dirname "${BASH_SOURCE[0]}")/run-with-openbox.sh" --no-wm "$@"
