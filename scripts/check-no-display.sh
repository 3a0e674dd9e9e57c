#!/usr/bin/env bash
# Without any display the program ends at once with a message that says what it needs.
#   scripts/check-no-display.sh PATH_TO_ZENKOR
set -uo pipefail
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1 >/dev/null)
rc=$?
[ "$rc" -eq 1 ] || { echo "exit status $rc, expected 1" >&2; exit 1; }
grep -q "needs a graphical session" <<<"$err" || { echo "unclear message: $err" >&2; exit 1; }
