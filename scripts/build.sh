#!/usr/bin/env bash
# Configures and builds one build tree. Usage: build.sh BUILD_DIR [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$1
shift
launcher=()
if command -v ccache >/dev/null; then
  # Rebuilds of an unchanged source (a second test run, a fresh checkout in the same place) come
  # from the cache; paths are kept relative so that checkouts elsewhere share it too.
  export CCACHE_BASEDIR=$root
  # Debug builds would otherwise hash the build folder into every entry, so that no other checkout
  # (a worktree, CI's clean copy) could ever hit the cache.
  export CCACHE_NOHASHDIR=true
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
