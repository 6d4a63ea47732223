#!/usr/bin/env bash
# Configures and builds into build/<type> (Release unless BUILD_TYPE says otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
"./scripts/install-deps.sh"
TYPE="${BUILD_TYPE:-Release}"
DIR="build/${TYPE,,}"
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# Configure every time: folders are picked up by existence and globs, so a new folder needs it.
cmake -S . -B "$DIR" -DCMAKE_BUILD_TYPE="$TYPE" "${LAUNCHER[@]}" ${CMAKE_ARGS:-} >/dev/null
cmake --build "$DIR" -j "${JOBS:-$(nproc)}" >&2
echo "$DIR"
