#!/bin/bash
# screenshot.sh [X64_BUILD_DIR]
# Makes docs/main-window.png and docs/message-window.png from the real x86_64 program under Wine's
# virtual desktop, in the Chinese locale. The build directory (default $VARNHOLT_X64_DIR) must hold
# varnholt.exe and e2e_driver.exe; the driver's "pose" scenario holds each window still while the
# picture is taken. Uses the session of tests/e2e/wine_session.sh, starting one if none runs.
set -u
source_dir=$(cd "$(dirname "$0")/.." && pwd)
. "$source_dir/tests/e2e/e2e_env.sh"

build=${1:-${VARNHOLT_X64_DIR:-}}
if [ ! -f "$build/varnholt.exe" ] || [ ! -f "$build/e2e_driver.exe" ]; then
  e2e_die "usage: $0 X64_BUILD_DIR (with varnholt.exe and e2e_driver.exe)"
fi
command -v import >/dev/null || e2e_die "ImageMagick's import is missing"
command -v xwininfo >/dev/null || e2e_die "xwininfo (x11-utils) is missing"
locale=zh_CN.UTF-8
margin=8

if [ ! -f "$E2E_STATE" ]; then
  "$source_dir/tests/e2e/wine_session.sh" start || exit 1
  trap '"$source_dir/tests/e2e/wine_session.sh" stop' EXIT
fi
. "$E2E_STATE"
WINEPREFIX=$(e2e_prefix "$locale")
export WINEPREFIX DISPLAY=":$E2E_DISPLAY"

hand_over="$E2E_ROOT/pose"
rm -rf "$hand_over"
mkdir -p "$hand_over"
E2E_POSE_DIR=$(e2e_windows_path "$hand_over")
export E2E_POSE_DIR
: >"$hand_over/driver.out"
LC_ALL="$locale" timeout 120 "$WINE" "$build/e2e_driver.exe" pose "$(e2e_windows_path "$build/varnholt.exe")" >"$hand_over/driver.out" 2>&1 &
driver=$!

# Where Wine's desktop window sits on the X screen: window rectangles are relative to it.
desktop_origin() {
  id=$(xwininfo -root -tree | awk '/Wine desktop/ { print $1; exit }')
  [ -n "$id" ] || return 1
  xwininfo -id "$id" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }'
}

shoot() {
  name="$1"
  for _ in $(seq 300); do
    line=$(tr -d '\r' <"$hand_over/driver.out" | grep "^pose $name ")
    [ -n "$line" ] && break
    kill -0 "$driver" 2>/dev/null || break
    sleep 0.2
  done
  [ -n "$line" ] || { cat "$hand_over/driver.out" >&2; e2e_die "the driver never showed the $name"; }
  read -r _ _ x y width height <<<"$line"
  read -r desktop_x desktop_y < <(desktop_origin) || e2e_die "no Wine desktop window on :$E2E_DISPLAY"
  geometry="$((width + 2 * margin))x$((height + 2 * margin))+$((desktop_x + x - margin))+$((desktop_y + y - margin))"
  import -window root -crop "$geometry" +repage "$source_dir/docs/$name.png" || e2e_die "import failed for $name"
  echo "docs/$name.png: $geometry"
  touch "$hand_over/$name.done"
}

mkdir -p "$source_dir/docs"
shoot main-window
shoot message-window
wait "$driver"
status=$?
[ $status -eq 0 ] || { cat "$hand_over/driver.out" >&2; e2e_die "the driver failed ($status)"; }
