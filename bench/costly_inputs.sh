#!/usr/bin/env bash
# Makes the costly small inputs and runs each under /usr/bin/time -v; prints one table of input,
# its size, the wall time and the peak memory. A step still running after the limit is stopped and
# shown as such.
#   bench/costly_inputs.sh [--bin build/release/bench/bench_costly_inputs] [--dir /tmp/costly] [--limit 300]
set -euo pipefail
BIN=build/release/bench/bench_costly_inputs
DIR=/tmp/costly-inputs
LIMIT=300
while [ $# -gt 0 ]; do
  case "$1" in
    --bin) BIN=$2; shift 2 ;;
    --dir) DIR=$2; shift 2 ;;
    --limit) LIMIT=$2; shift 2 ;;
    *) echo "usage: $0 [--bin FILE] [--dir DIR] [--limit SECONDS]" >&2; exit 2 ;;
  esac
done
mkdir -p "$DIR"
[ -f "$DIR/bom.json" ] || "$BIN" make "$DIR"

DISPLAY_NUMBER=$((90 + RANDOM % 100))
Xvfb ":$DISPLAY_NUMBER" -screen 0 1600x1000x24 >/dev/null 2>&1 &
XVFB=$!
trap 'kill $XVFB 2>/dev/null || true' EXIT
export LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb DISPLAY=":$DISPLAY_NUMBER"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ] && break; sleep 0.1; done

printf '| %-34s | %9s | %9s | %10s | %s\n' input bytes "wall (s)" "peak (MB)" result
run() {
  local label=$1 input=$2; shift 2
  local log; log=$(mktemp)
  local out status=0
  out=$(timeout "$LIMIT" /usr/bin/time -v "$@" 2>"$log") || status=$?
  local wall peak
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$log" | awk -F: '{ if (NF == 3) print $1 * 3600 + $2 * 60 + $3; else print $1 * 60 + $2 }')
  peak=$(awk -F': ' '/Maximum resident set size/ {printf "%.0f", $2 / 1024}' "$log")
  [ $status -eq 124 ] && { out="stopped after ${LIMIT} s"; wall=">$LIMIT"; peak="${peak:-?}"; }
  printf '| %-34s | %9s | %9s | %10s | %s\n' "$label" "$(du -cb $input | tail -1 | cut -f1)" "${wall:-?}" "${peak:-?}" \
    "$(echo "$out" | tail -1 | sed "s|$DIR/||g")"
  rm -f "$log"
}
run "sub-assemblies 30 wide, 4 deep" "$DIR/fanout/*.dazo" "$BIN" read "$DIR/fanout/l0.dazo"
run "bill of materials, 20,000 uses" "$DIR/bom.json $DIR/part.dazo" "$BIN" bom "$DIR/bom.json"
run "60 views, pictures claim 4096^2" "$DIR/views60-claims.dazo" "$BIN" window "$DIR/views60-claims.dazo"
run "1,000 views" "$DIR/views1000.dazo" "$BIN" window "$DIR/views1000.dazo"
run "4,000 views" "$DIR/views4000.dazo" "$BIN" window "$DIR/views4000.dazo"
run "500 notes from a host" "$DIR/notes500.json" "$BIN" window "$DIR/part.dazo" "$DIR/notes500.json"
run "2,000 notes from a host" "$DIR/notes2000.json" "$BIN" window "$DIR/part.dazo" "$DIR/notes2000.json"
