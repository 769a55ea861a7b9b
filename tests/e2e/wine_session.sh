#!/bin/bash
# wine_session.sh start|stop
# start: an Xvfb display of its own, and a Wine prefix per test locale with a virtual desktop
#        (a reused prefix is checked first); writes the session to $E2E_ROOT/session.env.
# stop:  ends the Wine servers of the prefixes and the Xvfb display that start began.
set -u
. "$(dirname "$0")/e2e_env.sh"

ensure_locale() {
  locale="$1"
  e2e_locale_present "$locale" && return 0
  [ "$(id -u)" = 0 ] || e2e_die "locale $locale is missing; generate it (locale-gen) as root"
  echo "e2e: generating locale $locale"
  localedef -i "$(e2e_locale_tag "$locale")" -f UTF-8 "$locale" || e2e_die "localedef $locale failed"
  e2e_locale_present "$locale" || e2e_die "locale $locale still missing after localedef"
}

# Starts Xvfb on the first free display of the list; prints the display number.
start_xvfb() {
  for n in $E2E_DISPLAYS; do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$E2E_ROOT/xvfb.log" 2>&1 &
    pid=$!
    for _ in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break  # lost the display to someone else: try the next
      if [ -S "/tmp/.X11-unix/X$n" ]; then
        echo "$n $pid"
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  return 1
}

# Written into a finished prefix; a prefix made with other settings is made again.
prefix_marker() { echo "desktop $1, wine fonts, font replacements"; }

# Wine finds its own fonts (Tahoma for dialogs, Marlett for the caption buttons) only in the
# prefix's Fonts folder with this Wine; without them the close box shows an "r". The program's
# font replacements then let Chinese text show in every locale, as the program's users see it.
install_fonts() {
  prefix="$1"
  for font in "${VARNHOLT_WINE_FONTS:-/usr/share/wine/fonts}"/*.ttf; do
    [ -f "$font" ] && cp "$font" "$prefix/drive_c/windows/Fonts/"
  done
  timeout 60 "$WINE" regedit "$(e2e_windows_path "$(dirname "$0")/../../scripts/wine-fonts.reg")"
}

prefix_ready() {
  prefix="$1" size="$2"
  [ -f "$prefix/system.reg" ] && [ -f "$prefix/user.reg" ] &&
    [ -f "$prefix/drive_c/windows/system32/kernel32.dll" ] &&
    [ "$(cat "$prefix/.varnholt-e2e" 2>/dev/null)" = "$(prefix_marker "$size")" ]
}

# Creates the locale's prefix with its virtual desktop unless a good one is there already.
ensure_prefix() {
  locale="$1" display="$2"
  prefix=$(e2e_prefix "$locale")
  size=$(e2e_desktop_size "$locale")
  if prefix_ready "$prefix" "$size"; then
    echo "e2e: reusing $prefix"
    return 0
  fi
  echo "e2e: creating $prefix (desktop $size)"
  rm -rf "$prefix"
  mkdir -p "$prefix"
  export WINEPREFIX="$prefix" DISPLAY=":$display" LC_ALL="$locale"
  timeout 180 "$WINE" wineboot -i >"$prefix.log" 2>&1 || e2e_die "wineboot failed for $prefix, see $prefix.log"
  if ! timeout 60 "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$prefix.log" 2>&1 ||
    ! timeout 60 "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$size" /f >>"$prefix.log" 2>&1; then
    e2e_die "could not set the virtual desktop in $prefix, see $prefix.log"
  fi
  install_fonts "$prefix" >>"$prefix.log" 2>&1 || e2e_die "could not set up the fonts of $prefix, see $prefix.log"
  # The server writes the registry to disk when it ends, a few seconds after its last process.
  timeout 60 "$WINESERVER" -w || e2e_die "the Wine server of $prefix did not end"
  grep -q "\"Default\"=\"$size\"" "$prefix/user.reg" || e2e_die "the desktop size did not reach $prefix/user.reg"
  prefix_marker "$size" >"$prefix/.varnholt-e2e"
}

start() {
  if [ -f "$E2E_STATE" ]; then
    echo "e2e: a session was left running under $E2E_ROOT; stopping it first"
    stop
  fi
  mkdir -p "$E2E_ROOT"
  for locale in $E2E_LOCALES; do ensure_locale "$locale"; done
  read -r display xvfb_pid < <(start_xvfb) || e2e_die "no free X display among: $E2E_DISPLAYS"
  [ -n "${display:-}" ] || e2e_die "no free X display among: $E2E_DISPLAYS"
  printf 'E2E_DISPLAY=%s\nE2E_XVFB_PID=%s\n' "$display" "$xvfb_pid" >"$E2E_STATE"
  echo "e2e: Xvfb :$display (pid $xvfb_pid)"
  for locale in $E2E_LOCALES; do
    # In a subshell: its exports stay there, and a failure still reaches the stop below.
    (ensure_prefix "$locale" "$display") || { stop; exit 1; }
  done
  echo "e2e: session ready under $E2E_ROOT"
}

stop() {
  for locale in $E2E_LOCALES; do
    prefix=$(e2e_prefix "$locale")
    [ -d "$prefix" ] && WINEPREFIX="$prefix" timeout 30 "$WINESERVER" -k 2>/dev/null
  done
  [ -f "$E2E_STATE" ] || { echo "e2e: no session running"; return 0; }
  . "$E2E_STATE"
  # Only the Xvfb this session started, recognised by its pid and name.
  if [ "$(cat "/proc/$E2E_XVFB_PID/comm" 2>/dev/null)" = Xvfb ]; then
    kill "$E2E_XVFB_PID"
    for _ in $(seq 50); do
      kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$E2E_XVFB_PID" 2>/dev/null && kill -9 "$E2E_XVFB_PID"
  fi
  rm -f "$E2E_STATE"
  echo "e2e: session stopped"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
