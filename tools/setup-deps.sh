#!/usr/bin/env bash
# Installs, without questions, every Debian package the build, the tests and
# `make run` need, generates the zh_CN.UTF-8 locale Wine runs under, then
# checks that every command the scripts and CMake call is there.
# Idempotent: a machine that already has everything costs one dpkg query.
# Usage: setup-deps.sh          install what is missing, then check
#        setup-deps.sh --audit  also fail when a command comes from a package
#                               this list does not name (catches a package
#                               installed by hand that hides a gap here)
set -euo pipefail

packages=(
  cmake make g++ googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
  binutils-mingw-w64-x86-64
  wine wine64 wine64-tools libwine libwine-dev
  xvfb x11-utils imagemagick imagemagick-6.q16 locales libc-bin nsis zip
  fonts-arphic-uming fonts-arphic-ukai fonts-wqy-zenhei fonts-wqy-microhei fonts-wine
  python3-minimal python3-icalendar python3-dateutil
)

# Every command the scripts, CMake and the tests call.
commands=(
  cmake make g++ clang++ x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-gcc-posix
  x86_64-w64-mingw32-windres x86_64-w64-mingw32-objdump x86_64-w64-mingw32-strip
  widl wine wineserver wineboot Xvfb import iconv locale-gen makensis zip
  /usr/bin/python3  # Debian's, with python3-icalendar: the export check runs it by path
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup-deps: generating zh_CN.UTF-8"
  if [ -f /etc/locale.gen ] && grep -q '^# *zh_CN.UTF-8' /etc/locale.gen; then
    as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^zh_CN.UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  fi
  as_root locale-gen >/dev/null
fi

absent=() strays=()
for cmd in "${commands[@]}"; do
  path=$(command -v "$cmd" 2>/dev/null) || { absent+=("$cmd"); continue; }
  [ "${1:-}" = --audit ] || continue
  # The package that owns the command (the link or what it points to) must
  # be one this script installs.
  owner=$({ dpkg -S "$path" || dpkg -S "$(realpath "$path")"; } 2>/dev/null |
          head -n1 | cut -d: -f1 || true)
  listed=0
  for p in "${packages[@]}"; do [ "$p" = "$owner" ] && listed=1; done
  [ "$listed" = 1 ] || strays+=("$cmd (package ${owner:-unknown})")
done
if ((${#absent[@]})); then
  echo "setup-deps: missing after install: ${absent[*]}" >&2
  exit 1
fi
if ((${#strays[@]})); then
  echo "setup-deps: not from a package this script installs: ${strays[*]}" >&2
  exit 1
fi
