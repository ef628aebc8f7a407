#!/usr/bin/env bash
# Fails when a Windows binary imports a DLL that is not part of Windows, so
# that the program runs from a bare folder (no MinGW runtime DLLs beside it).
set -euo pipefail
file=$1
allowed='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|comctl32|comdlg32|winmm|shlwapi|advapi32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+|ntdll|uxtheme|imm32|version|rpcrt4|ws2_32|bcrypt|msimg32|oleacc)\.dll$'
bad=$(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | grep -Ev "$allowed" || true)
if [ -n "$bad" ]; then
  echo "check-imports: $file imports non-system DLLs: $bad" >&2
  exit 1
fi
