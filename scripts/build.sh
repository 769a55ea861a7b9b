#!/usr/bin/env bash
# Configures and builds one tree: native (unit tests), x86_64 or i686 (the Windows program).
# Usage: scripts/build.sh native|x86_64|i686 [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=$1
shift

case "$kind" in
  native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  x86_64 | i686)
    args=(-DCMAKE_BUILD_TYPE=MinSizeRel "-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchains/$kind-w64-mingw32.cmake") ;;
  *) echo "build.sh: unknown build '$kind' (native, x86_64 or i686)" >&2; exit 2 ;;
esac

build_dir="$root/build/$kind"
cmake -S "$root" -B "$build_dir" -DVARNHOLT_WERROR=ON "${args[@]}" "$@" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
