# shellcheck shell=bash disable=SC2034  # the settings are used by the scripts that source this
# Settings shared by the end-to-end scripts; sourced, not run.
# Everything lives under one root so that one session can be found and stopped again.

E2E_ROOT=${VARNHOLT_E2E_ROOT:-${TMPDIR:-/tmp}/varnholt-e2e}
E2E_STATE=$E2E_ROOT/session.env
E2E_DISPLAYS=${VARNHOLT_E2E_DISPLAYS:-"91 92 93 94"}
E2E_LOCALES="en_US.UTF-8 zh_CN.UTF-8"
WINE=${VARNHOLT_WINE:-/usr/lib/wine/wine64}
WINESERVER=${VARNHOLT_WINESERVER:-/usr/lib/wine/wineserver64}
export WINEDEBUG=-all
# No Mono or Gecko download prompts, no desktop menu entries for the test prefixes.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

e2e_die() {
  echo "e2e: $*" >&2
  exit 1
}

# en_US.UTF-8 -> en_US
e2e_locale_tag() { echo "${1%%.*}"; }

e2e_prefix() { echo "$E2E_ROOT/prefix-$(e2e_locale_tag "$1")"; }

# The ANSI code page Wine derives from each locale.
e2e_code_page() {
  case "$1" in
    en_US.UTF-8) echo 1252 ;;
    zh_CN.UTF-8) echo 936 ;;
    *) e2e_die "no code page known for locale $1" ;;
  esac
}

# One desktop size per locale; the odd one shows that centring truncates instead of rounding.
e2e_desktop_size() {
  case "$1" in
    en_US.UTF-8) echo 1024x768 ;;
    zh_CN.UTF-8) echo 1023x767 ;;
    *) e2e_die "no desktop size known for locale $1" ;;
  esac
}

# glibc spells "en_US.UTF-8" as "en_US.utf8" in `locale -a`.
e2e_locale_present() {
  want=$(echo "$1" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
  locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | grep -qx "$want"
}

# "Z:\path\to\file" for a Unix path: Wine maps drive Z: to the root of the file system.
e2e_windows_path() {
  abs=$(readlink -f "$1")
  printf 'Z:%s' "$abs" | tr '/' '\\'
}
