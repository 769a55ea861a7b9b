#!/bin/bash
# run_scenario.sh LOCALE SCENARIO [DRIVER OPTIONS...]
# Runs one driver scenario against the x86_64 program in the running session (wine_session.sh
# start), under the locale's Wine prefix, and exits with the driver's exit code. Options after
# the scenario go to the driver (random: --seed N --steps M; E2E_SEED and E2E_STEPS reach it too).
# The executables come from $E2E_DRIVER and $E2E_PROGRAM, or else from $VARNHOLT_X64_DIR.
set -u
. "$(dirname "$0")/e2e_env.sh"

[ $# -ge 2 ] || { echo "usage: $0 LOCALE SCENARIO [DRIVER OPTIONS...]" >&2; exit 2; }
locale="$1" scenario="$2"
shift 2
driver=${E2E_DRIVER:-${VARNHOLT_X64_DIR:-}/e2e_driver.exe}
program=${E2E_PROGRAM:-${VARNHOLT_X64_DIR:-}/varnholt.exe}
[ -f "$driver" ] || e2e_die "no driver at '$driver' (set VARNHOLT_X64_DIR or E2E_DRIVER)"
[ -f "$program" ] || e2e_die "no program at '$program' (set VARNHOLT_X64_DIR or E2E_PROGRAM)"
[ -f "$E2E_STATE" ] || e2e_die "no session running; start one with wine_session.sh start"
. "$E2E_STATE"

prefix=$(e2e_prefix "$locale")
[ -f "$prefix/.varnholt-e2e" ] || e2e_die "no prepared prefix for $locale at $prefix"
# The driver checks that Wine really took this code page and desktop size.
code_page=$(e2e_code_page "$locale") || exit 1
desktop_size=$(e2e_desktop_size "$locale") || exit 1
export WINEPREFIX="$prefix" DISPLAY=":$E2E_DISPLAY" LC_ALL="$locale"
export E2E_EXPECT_ACP="$code_page" E2E_EXPECT_SCREEN="$desktop_size"

timeout --kill-after=10 "${VARNHOLT_E2E_TIMEOUT:-120}" "$WINE" "$driver" "$scenario" "$(e2e_windows_path "$program")" "$@"
status=$?
if [ $status -ne 0 ]; then
  [ $status -eq 124 ] || [ $status -eq 137 ] && echo "e2e: $scenario timed out" >&2
  # Leave nothing of a failed run behind for the next scenario.
  timeout 30 "$WINESERVER" -k 2>/dev/null
fi
exit $status
