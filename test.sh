#!/usr/bin/env bash
# Builds everything and runs every test under a virtual X server of its own.
set -euo pipefail
cd "$(dirname "$0")"
DIR=$(./scripts/build.sh | tail -n 1)
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export QT_QPA_PLATFORM=xcb
export NERIO_CRASH_NO_MESSAGE=1
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/nerio-runtime-XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"

# The server picks a free display itself (-displayfd), so runs side by side never share one, and does
# not reset when its last client leaves (-noreset): a reset refuses the connections of the next tests.
FIFO=$(mktemp -u /tmp/nerio-xvfb-XXXXXX)
mkfifo "$FIFO"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$FIFO" >/dev/null 2>&1 &
XVFB_PID=$!
trap 'kill "$XVFB_PID" 2>/dev/null || true; rm -f "$FIFO"' EXIT
read -r -t 30 DISPLAY_NUMBER <"$FIFO"
export DISPLAY=":$DISPLAY_NUMBER"

cd "$DIR"
ctest --output-on-failure -j "${JOBS:-$(nproc)}" --timeout 300 "$@"
