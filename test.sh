#!/usr/bin/env bash
# Builds everything and runs every test under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")"
DIR=$(./scripts/build.sh | tail -n 1)
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export QT_QPA_PLATFORM=xcb
export NERIO_CRASH_NO_MESSAGE=1
cd "$DIR"
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --output-on-failure -j "${JOBS:-$(nproc)}" --timeout 300 "$@"
