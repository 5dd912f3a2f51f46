#!/usr/bin/env bash
# Builds the benchmarks, runs every one of them, measures the start-up time, and rewrites the table
# in bench/README.md with each figure beside its limit.
#   bench-record.sh [BUILD_DIR]     (default: build-bench)
# Windows are drawn on a virtual X display (xvfb-run) when there is none; without Xvfb they are
# drawn off screen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root/build-bench}

if ! command -v python3 >/dev/null; then
  echo "bench-record.sh: python3 is needed to read the benchmark results (apt-get install python3)" >&2
  exit 1
fi
"$root/scripts/build.sh" "$build_dir" -DDAZED_BENCHMARKS=ON -DDAZED_WERROR=ON

run=(python3 "$root/scripts/bench_record.py" "$build_dir" "$root/bench/README.md")
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1600x1200x24" "${run[@]}"
else
  [ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
  "${run[@]}"
fi
