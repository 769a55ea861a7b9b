#!/usr/bin/env bash
# Builds the program and starts it: under Wine in your X display on Linux.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set), so the program cannot be shown." >&2
  exit 1
fi

"$root/scripts/setup.sh" run
"$root/scripts/build.sh" x86_64

# A prefix of the program's own keeps your default Wine prefix untouched.
export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing a Wine prefix (once)..."
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  # This Wine finds its own fonts (Tahoma, Marlett for the caption buttons) only in the prefix.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  /usr/lib/wine/wine64 regedit "$root/scripts/wine-fonts.reg" >/dev/null 2>&1
  /usr/lib/wine/wineserver64 -w
fi
# This machine runs 64-bit Windows code only, so Wine runs the x86_64 build of the same sources.
exec /usr/lib/wine/wine64 "$root/build/x86_64/varnholt.exe"
