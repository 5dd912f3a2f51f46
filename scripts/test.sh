#!/usr/bin/env bash
# Builds DazedErir with warnings as errors and runs every test.
#   test.sh             the ordinary build, in build/
#   test.sh --sanitize  an AddressSanitizer + UndefinedBehaviorSanitizer build, in build-asan/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

build_dir="$root/build"
options=(-DDAZED_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir="$root/build-asan"
  # The benchmarks measure speed, which a sanitized build does not show; they are not built there.
  options+=(-DDAZED_SANITIZE=ON -DDAZED_BENCHMARKS=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp"
fi

"$root/scripts/build.sh" "$build_dir" "${options[@]}"
export QT_QPA_PLATFORM=offscreen
cd "$build_dir"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
