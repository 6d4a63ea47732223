#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang into build/fuzz, and runs them.
#   scripts/fuzz.sh                      build only
#   scripts/fuzz.sh <target> [seconds]   run one target (default 600 s)
#   scripts/fuzz.sh all [seconds]        run each target in turn
# Without clang it says so and does nothing. The working corpus and any crash inputs stay in
# build/fuzz/run/<target>; copy a crash input to fuzz/regressions/<target>/ once it is mended.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null; then
  echo "clang++ is not installed: the fuzz targets are skipped"
  exit 0
fi
DIR=build/fuzz
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
SAN="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"
if ! grep -qF -- "CMAKE_CXX_FLAGS:STRING=$SAN" "$DIR/CMakeCache.txt" 2>/dev/null; then
  cmake -S . -B "$DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNERIO_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_FLAGS="$SAN" -DCMAKE_CXX_FLAGS="$SAN" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" "${LAUNCHER[@]}" >/dev/null
fi
cmake --build "$DIR" --target nerio_fuzz_all -j "${JOBS:-3}" >&2

run() {
  local target=$1 seconds=$2 work="$DIR/run/$1"
  mkdir -p "$work/corpus" "$work/crashes"
  echo "== $target for $seconds s"
  # Small inputs stay small in memory: a reader that allocates far beyond its input fails here.
  # Every input is damaged by design: the readers' logged errors (stderr) are closed off as noise.
  # Leak checks are off (libFuzzer's per input, and ASan's at exit, which would take a font cache
  # left at the end of a clean run for a crash of the empty input): caches that outlive one input (fonts, logs) make every run look leaky, and
  # a reader that really keeps memory per input shows in the memory limit instead.
  ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
  UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$PWD/fuzz/ubsan.supp" \
  "$DIR/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -malloc_limit_mb=512 \
    -close_fd_mask=2 -detect_leaks=0 -artifact_prefix="$work/crashes/" -print_final_stats=1 ${FUZZ_ARGS:-} \
    "$work/corpus" "fuzz/corpus/$target" 2>&1 | tee "$work/log.txt" | grep -E "^(#[0-9]+ *DONE|stat::|==[0-9]+==ERROR|SUMMARY|artifact_prefix)" || true
}

case "${1:-}" in
  "") exit 0 ;;
  all)
    for t in $(sed -n 's/^set(NERIO_FUZZ_TARGETS \(.*\))$/\1/p' fuzz/CMakeLists.txt); do run "$t" "${2:-600}"; done ;;
  *) run "$1" "${2:-600}" ;;
esac
