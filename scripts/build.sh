#!/usr/bin/env bash
# Builds into build/<type> (Release unless BUILD_TYPE says otherwise), or into BUILD_DIR when given:
# every target, or only the targets named as arguments. CMAKE_ARGS go to the configure step (a
# sanitizer build: CMAKE_ARGS=-DNERIO_SANITIZE=thread BUILD_DIR=build/tsan). Prints the build folder
# on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
"./scripts/install-deps.sh"
TYPE="${BUILD_TYPE:-Release}"
DIR="${BUILD_DIR:-build/${TYPE,,}}"
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# CMake re-runs itself when a CMake file it read changes. It cannot know of a folder it has never
# seen, nor of other options: configure when the set of CMakeLists.txt or the options differ from
# the last configure of this folder.
STATE="$TYPE ${LAUNCHER[*]} ${CMAKE_ARGS:-}
$(find . \( -path ./build -o -path ./.git \) -prune -o -name CMakeLists.txt -print | LC_ALL=C sort)"
if [ ! -f "$DIR/CMakeCache.txt" ] || [ "$(cat "$DIR/.configured" 2>/dev/null)" != "$STATE" ]; then
  rm -f "$DIR/.configured"
  cmake -S . -B "$DIR" -DCMAKE_BUILD_TYPE="$TYPE" "${LAUNCHER[@]}" ${CMAKE_ARGS:-} >/dev/null
  printf '%s' "$STATE" > "$DIR/.configured"
fi
TARGETS=()
[ $# -gt 0 ] && TARGETS=(--target "$@")
cmake --build "$DIR" -j "${JOBS:-$(nproc)}" "${TARGETS[@]}" >&2
echo "$DIR"
