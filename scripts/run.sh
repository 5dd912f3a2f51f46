#!/usr/bin/env bash
# Builds DazedErir and starts it. Without arguments it runs on the built-in simulated ECU;
# any arguments are passed to the program instead (for example: --port /dev/ttyUSB0).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
if [ $# -eq 0 ]; then
  set -- --simulate
fi
exec "$root/build/app/dazederir" "$@"
