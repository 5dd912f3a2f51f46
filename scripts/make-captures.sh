#!/usr/bin/env bash
# Remakes tests/captures/: for every ECU kind of the identification table (and an OBD2 unit), a
# session recorded from the simulated ECU by dazederir-cli, with the values it decoded beside it
# (ID.capture, ID.values.json). The test run replays each capture and compares.
# Usage: make-captures.sh [BUILD_DIR]   (default: build; dazederir-cli must be built there)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build}/cli/dazederir-cli
out=$root/tests/captures
# The rows of defs/EcuIdentification.h (KnownEcuIds), then one of its OBD2 IDs.
ids=(1103 1112 1202 1253 1453 1601 1701 1702 17E2 1843 1881 1901 1902 1903 1943 F602 F802 1B34)
for id in "${ids[@]}"; do
  "$cli" --simulate="$id" --sample-rate 50 --record "$out/$id.capture" --json values >"$out/$id.values.json"
  echo "$out/$id.capture"
done
