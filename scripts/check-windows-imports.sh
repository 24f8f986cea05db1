#!/usr/bin/env bash
# Fails unless every DLL the given Windows programs import ships with Windows 10 and 11: Direct3D
# 9, DirectSound, DirectInput 8, WinMM and the system's own libraries. D3DX (d3dx9_*.dll, which
# only the legacy DirectX runtime installs) and the compiler's runtime DLLs must not appear.
# Usage: scripts/check-windows-imports.sh PROGRAM.exe...
set -euo pipefail
shipped='^(d3d9|dsound|dinput8|winmm|user32|gdi32|kernel32|advapi32|shell32|ole32|oleaut32|shlwapi|comctl32|comdlg32|version|imm32|ws2_32|bcrypt|msvcrt|api-ms-win-crt-[a-z0-9-]+|ucrtbase)\.dll$'
status=0
for program in "$@"; do
  imports=$(x86_64-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
  [ -n "$imports" ] || { echo "$program: no imports found" >&2; status=1; continue; }
  foreign=$(grep -Ev "$shipped" <<<"$imports" || true)
  if [ -n "$foreign" ]; then
    echo "$program imports DLLs a stock Windows lacks: $(echo $foreign)" >&2
    status=1
  else
    echo "$(basename "$program") imports only Windows' own DLLs: $(echo $imports)"
  fi
done
exit $status
