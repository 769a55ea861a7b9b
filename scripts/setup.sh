#!/usr/bin/env bash
# Installs what building, running and testing need on Debian, once: a second run installs
# nothing. Usage: scripts/setup.sh [run|test]   (default: test, which is everything)
set -euo pipefail

purpose=${1:-test}

build_packages=(cmake make g++ g++-mingw-w64-x86-64 g++-mingw-w64-i686)
run_packages=(wine wine64 fonts-wine fonts-wqy-microhei)
test_packages=(libgtest-dev xvfb xauth x11-utils file locales imagemagick valgrind)

packages=("${build_packages[@]}" "${run_packages[@]}")
[ "$purpose" = test ] && packages+=("${test_packages[@]}")

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The end-to-end tests run the program on a Western and on a Chinese system locale.
if [ "$purpose" = test ]; then
  wanted=(en_US.UTF-8 zh_CN.UTF-8)
  generate=()
  for locale_name in "${wanted[@]}"; do
    locale -a 2>/dev/null | grep -qix "${locale_name/UTF-8/utf8}" || generate+=("$locale_name")
  done
  if [ ${#generate[@]} -gt 0 ]; then
    for locale_name in "${generate[@]}"; do
      as_root sed -i "s/^# *\\(${locale_name} UTF-8\\)/\\1/" /etc/locale.gen
      grep -q "^${locale_name} UTF-8" /etc/locale.gen || echo "${locale_name} UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    done
    as_root locale-gen >/dev/null
  fi
fi
