#!/usr/bin/env bash
# Builds the viewer and starts it, on the bundled sample model when no file is named.
set -euo pipefail
cd "$(dirname "$0")"
DIR=$(./scripts/build.sh | tail -n 1)
BIN="$PWD/$DIR/bin/Nerio3d"
if [ $# -eq 0 ]; then
  SAMPLE=$(ls "$PWD/$DIR/bin/Samples/"*.dazo 2>/dev/null | head -n 1 || true)
  [ -n "$SAMPLE" ] && set -- "$SAMPLE"
fi
exec "$BIN" "$@"
