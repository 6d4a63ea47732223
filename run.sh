#!/usr/bin/env bash
# Builds the viewer and what it needs at run time, then starts it, on the bundled sample model when
# no file is named. Nothing is built when no file of the tree changed since the last build here.
set -euo pipefail
cd "$(dirname "$0")"
TYPE="${BUILD_TYPE:-Release}"
DIR="build/${TYPE,,}"
STAMP="$DIR/.run-built"
if [ ! -x "$DIR/bin/Nerio3d" ] || [ ! -f "$STAMP" ] ||
   [ -n "$(find . \( -path ./build -o -path ./.git \) -prune -o -newer "$STAMP" -print -quit)" ]; then
  mkdir -p "$DIR"
  touch "$STAMP.new" # taken before building, so that a file saved during the build counts next time
  DIR=$(./scripts/build.sh Nerio3d dazo_samples | tail -n 1)
  mv "$STAMP.new" "$STAMP"
fi
BIN="$PWD/$DIR/bin/Nerio3d"
if [ $# -eq 0 ]; then
  SAMPLE=$(ls "$PWD/$DIR/bin/Samples/"*.dazo 2>/dev/null | head -n 1 || true)
  [ -n "$SAMPLE" ] && set -- "$SAMPLE"
fi
exec "$BIN" "$@"
