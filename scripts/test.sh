#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests natively under the sanitizers (and
# Valgrind), checks of both Windows executables, and the end-to-end tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh" test
"$root/scripts/build.sh" x86_64
"$root/scripts/build.sh" i686
"$root/scripts/build.sh" native "-DVARNHOLT_X64_DIR=$root/build/x86_64" "-DVARNHOLT_I686_DIR=$root/build/i686"
ctest --test-dir "$root/build/native" --output-on-failure
