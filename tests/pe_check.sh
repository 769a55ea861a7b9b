#!/bin/bash
# pe_check.sh i686|x86_64 PROGRAM.EXE
# Checks that the built program is a GUI executable for the architecture and imports nothing but
# DLLs that every Windows installation has: no MinGW runtime DLL may be needed beside it.
set -u
[ $# -eq 2 ] || { echo "usage: $0 i686|x86_64 PROGRAM.EXE" >&2; exit 2; }
arch="$1" exe="$2"

case "$arch" in
  i686) want_type="PE32 executable (GUI) Intel 80386" ;;
  x86_64) want_type="PE32+ executable (GUI) x86-64" ;;
  *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
# Windows' own DLLs that a small Win32 program may import; compared without case.
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll msvcrt.dll advapi32.dll shell32.dll ole32.dll
oleaut32.dll uxtheme.dll shlwapi.dll comdlg32.dll imm32.dll version.dll"

failed=0 passed=0
check() {  # check OK? MESSAGE
  if [ "$1" = 0 ]; then
    echo "ok - $2"
    passed=$((passed + 1))
  else
    echo "not ok - $2"
    failed=$((failed + 1))
  fi
}

[ -f "$exe" ] || { echo "not ok - $exe exists"; exit 1; }

type=$(file -b "$exe")
[[ "$type" == "$want_type"* ]]
check $? "$(basename "$exe") is a $want_type: $type"

objdump=objdump
command -v "$arch-w64-mingw32-objdump" >/dev/null && objdump="$arch-w64-mingw32-objdump"
imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr '[:upper:]' '[:lower:]' | tr -d '\r')
# An empty list would mean objdump did not read the import table, not that nothing is imported.
echo "$imports" | grep -qx kernel32.dll
check $? "imports are readable (kernel32.dll among: ${imports//$'\n'/ })"
for dll in $imports; do
  echo "$allowed" | tr ' ' '\n' | grep -qx "$dll"
  check $? "imports only system DLLs: $dll"
done

echo "pe_check $arch: $passed passed, $failed failed"
[ $failed -eq 0 ]
