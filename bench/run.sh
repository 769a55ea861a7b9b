#!/usr/bin/env bash
# The benchmark: the program against a hand-written Win32 program doing the same job.
# Builds both for i686 and x86_64, runs the x86_64 builds by turns under Wine in a private
# X server, and prints the medians, the ratios program/reference, the exe sizes and imports.
# A benchmark, not a test: a missed target is reported, never an error. The exit code is not
# 0 only when something could not be built or a program failed to do its job.
#
# Usage: bench/run.sh
# Settings (environment):
#   BENCH_RUNS=40 BENCH_WARMUP=2          measured runs and warm-up runs of each program
#   BENCH_LOCALE=en_US.UTF-8              system locale Wine runs with (zh_CN.UTF-8: Chinese)
#   BENCH_X64_DIR, BENCH_I686_DIR         build directories (default build/bench-x86_64, -i686)
#   BENCH_WINEPREFIX                      Wine prefix (default build/bench-wineprefix)
#   BENCH_DISPLAY=:N                      X display to use (default: a new Xvfb on a free one)
#   BENCH_OUT                             where the report goes (default the x86_64 build dir)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

runs=${BENCH_RUNS:-40}
warmup=${BENCH_WARMUP:-2}
locale_name=${BENCH_LOCALE:-en_US.UTF-8}
x64_dir=${BENCH_X64_DIR:-$root/build/bench-x86_64}
i686_dir=${BENCH_I686_DIR:-$root/build/bench-i686}
prefix=${BENCH_WINEPREFIX:-$root/build/bench-wineprefix}
out_dir=${BENCH_OUT:-$x64_dir/bench-results}
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

"$root/scripts/setup.sh" test

# --- build: the program, the reference and the driver, built alike ---
build() {  # build DIR ARCH
  cmake -S "$root" -B "$1" -DCMAKE_BUILD_TYPE=MinSizeRel -DVARNHOLT_WERROR=ON \
    "-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchains/$2-w64-mingw32.cmake" >/dev/null
  cmake --build "$1" --parallel 2 --target varnholt reference bench_driver >/dev/null
}
echo "Building (i686 and x86_64)..." >&2
build "$i686_dir" i686
build "$x64_dir" x86_64
mkdir -p "$out_dir"

# --- a private X server and Wine session, removed again on exit ---
xvfb_pid=
cleanup() {
  WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -n "${BENCH_DISPLAY:-}" ]; then
  display=$BENCH_DISPLAY
  if [ ! -e "/tmp/.X11-unix/X${display#:}" ]; then
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
  fi
else
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  display=:$(cat "$display_file")
  rm -f "$display_file"
fi
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
[ -e "/tmp/.X11-unix/X${display#:}" ] || { echo "run.sh: the X server on $display did not start" >&2; exit 1; }

export DISPLAY=$display WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=$locale_name
if [ ! -f "$prefix/.bench-ready" ]; then
  echo "Preparing the Wine prefix $prefix (once)..." >&2
  "$wine" wineboot -i >/dev/null 2>&1
  "$wine" regedit "$root/scripts/wine-fonts.reg" >/dev/null 2>&1
  # Without a window manager only Wine's virtual desktop gives caption bars and focus.
  "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
  "$wineserver" -w
  touch "$prefix/.bench-ready"
fi

# --- timings, memory and objects: x86_64 builds (this machine runs no 32-bit code) ---
windows_path() { echo "Z:${1//\//\\}"; }
echo "Running $warmup warm-up and $runs measured runs of each program..." >&2
"$wine" "$x64_dir/bench_driver.exe" --runs "$runs" --warmup "$warmup" \
  --raw "$(windows_path "$out_dir/raw.csv")" \
  "$(windows_path "$x64_dir/varnholt.exe")" "$(windows_path "$x64_dir/reference.exe")" >"$out_dir/runs.md"

# --- sizes and imports of the shipped executables ---
imports_of() { objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ' | sed 's/ $//'; }
system_dlls_only() {
  local dll
  for dll in $(imports_of "$1"); do
    case "${dll,,}" in
      kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | msvcrt.dll | ntdll.dll | advapi32.dll | shell32.dll | \
        ole32.dll | oleaut32.dll | comdlg32.dll | shlwapi.dll | uxtheme.dll | version.dll | imm32.dll | psapi.dll | \
        api-ms-win-*.dll) ;;
      *) return 1 ;;
    esac
  done
}
kib() { awk -v b="$1" 'BEGIN { printf "%.1f KiB (%d bytes)", b / 1024, b }'; }

{
  echo "Benchmark of $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores," \
    "$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo); Linux $(uname -r);" \
    "$("$wine" --version); Xvfb 1280x1024; LC_ALL=$locale_name; $(x86_64-w64-mingw32-g++ -dumpversion | sed 's/^/mingw-w64 GCC /')"
  echo
  echo "Runs of the x86_64 builds under Wine, by turns, after $warmup warm-up runs each:"
  echo
  cat "$out_dir/runs.md"
  echo
  echo "| Executable | i686 | x86_64 |"
  echo "|---|---:|---:|"
  for exe in varnholt reference; do
    echo "| $exe.exe | $(kib "$(stat -c %s "$i686_dir/$exe.exe")") | $(kib "$(stat -c %s "$x64_dir/$exe.exe")") |"
  done
  ratio() { awk -v a="$(stat -c %s "$1/varnholt.exe")" -v b="$(stat -c %s "$1/reference.exe")" 'BEGIN { printf "%.3f", a / b }'; }
  echo "| program / reference | $(ratio "$i686_dir") | $(ratio "$x64_dir") |"
  echo
  size=$(stat -c %s "$i686_dir/varnholt.exe")
  verdict=$([ "$size" -lt $((100 * 1024)) ] && echo met || echo "**missed**")
  aim=$([ "$size" -le $((64 * 1024)) ] && echo met || echo "not yet")
  echo "Shipped i686 exe under 100 KiB: $verdict; aim of 64 KiB: $aim."
  echo
  echo "| Imports | i686 | x86_64 | System DLLs only |"
  echo "|---|---|---|---|"
  for exe in varnholt reference; do
    only=yes
    system_dlls_only "$i686_dir/$exe.exe" && system_dlls_only "$x64_dir/$exe.exe" || only="**no**"
    echo "| $exe.exe | $(imports_of "$i686_dir/$exe.exe") | $(imports_of "$x64_dir/$exe.exe") | $only |"
  done
} | tee "$out_dir/report.md"
echo >&2
echo "Report: $out_dir/report.md; every run: $out_dir/raw.csv" >&2
