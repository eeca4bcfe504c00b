#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  cmake ninja-build ccache g++ clang libclang-rt-14-dev
  googletest libgtest-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-tools libz-mingw-w64-dev nasm
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64
  wine wine32:i386 xvfb x11-apps x11-utils fonts-wqy-microhei fonts-wine
  libcpp-httplib-dev libssl-dev libjpeg-dev libpng-dev libgif-dev zlib1g-dev libfreetype-dev
  imagemagick dpkg-dev xz-utils procps locales libjpeg-turbo-progs
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# shellcheck source=tools/setup-packages.sh
. "$(dirname "$0")/setup-packages.sh"

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  update_indexes
  install_packages "${missing[@]}" || { echo "setup: the packages could not be installed" >&2; exit 1; }
elif [ "${need_update:-0}" = 1 ]; then
  update_indexes
fi
# Wine takes its ANSI code page (936) from the locale and needs the same locale on the Linux side
# to map Chinese file names to the disk.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  "${sudo_cmd[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
if [ "${MB_SETUP_WINE32_FALLBACK:-0}" = 1 ]; then
  echo "setup: all packages present but wine32; the Windows tests run in the x86_64 tree"
else
  echo "setup: all packages present"
fi
# The picture codecs of the Windows build, cross-built from Debian's sources once per machine.
"${sudo_cmd[@]}" env MB_JOBS="${MB_JOBS:-}" "$(dirname "$0")/mingw-codecs.sh" i686
if [ "$("$(dirname "$0")/windows-test-tree.sh")" = windows64 ]; then
  "${sudo_cmd[@]}" env MB_JOBS="${MB_JOBS:-}" "$(dirname "$0")/mingw-codecs.sh" x86_64
fi
