#!/usr/bin/env bash
# Cross-builds the picture codecs of the image layer (libjpeg-turbo, libpng, giflib) for
# i686-w64-mingw32 (or, with the argument x86_64, for the x86_64 test tree) from Debian's source
# packages, as static libraries, into one prefix per architecture shared by every checkout
# (MB_MINGW_CODECS, default /opt/mingw-codecs and /opt/mingw-codecs-x86_64). zlib comes from
# libz-mingw-w64-dev.
#
# The sources are fetched with apt-get source through a private source list and a private apt
# state folder under the prefix; the system's apt configuration is neither read nor changed.
# Safe to run again and from several checkouts at once: a lock serialises runs, and a library
# whose stamp names the source version already built is left alone.
set -euo pipefail

arch=${1:-i686}
case $arch in
  i686) default_prefix=/opt/mingw-codecs system_processor=X86 ;;
  x86_64) default_prefix=/opt/mingw-codecs-x86_64 system_processor=x86_64 ;;
  *) echo "codecs: unknown architecture $arch (i686 or x86_64)" >&2; exit 2 ;;
esac
prefix=${MB_MINGW_CODECS:-$default_prefix}
work=$prefix/.work
host=$arch-w64-mingw32
cc=$host-gcc-posix
jobs=${MB_JOBS:-$(nproc)}
libraries=(libjpeg-turbo libpng1.6 giflib)

mkdir -p "$prefix" "$work"
exec 9>"$prefix/.lock"
flock 9

all_built() {
  local lib
  for lib in "${libraries[@]}"; do [ -f "$prefix/stamps/$lib" ] || return 1; done
}
if all_built; then
  echo "codecs: present in $prefix ($(cd "$prefix/stamps" && cat "${libraries[@]}" | tr '\n' ' '))"
  exit 0
fi

# A private apt: its own source list (deb-src of the release this machine runs), state, cache.
apt_root=$work/apt
mkdir -p "$apt_root/lists/partial" "$apt_root/cache/archives/partial" "$apt_root/etc/preferences.d"
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
cat >"$apt_root/etc/sources.list" <<EOF
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $codename main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $codename-updates main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security $codename-security main
EOF
apt_options=(
  -o "Dir::Etc::SourceList=$apt_root/etc/sources.list"
  -o "Dir::Etc::SourceParts=$apt_root/etc/sources.list.d"
  -o "Dir::Etc::Preferences=$apt_root/etc/preferences"
  -o "Dir::Etc::PreferencesParts=$apt_root/etc/preferences.d"
  -o "Dir::State=$apt_root"
  -o "Dir::State::Lists=$apt_root/lists"
  -o "Dir::State::status=/dev/null"
  -o "Dir::Cache=$apt_root/cache"
  -o "APT::Sandbox::User=root"
  -o "Acquire::Languages=none"
  -o "Acquire::IndexTargets::deb-src::Sources::KeepCompressed=false"
)
mkdir -p "$apt_root/etc/sources.list.d"
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
echo "codecs: fetching the source lists"
apt-get "${apt_options[@]}" -qq update

src_root=$work/src
build_root=$work/build
mkdir -p "$src_root" "$build_root" "$prefix/stamps"

# fetch PACKAGE: unpacks the newest source of PACKAGE that downloads whole (Debian patches
# applied) and prints its folder. A mirror caught in a sync can list a version whose files are
# not there yet; then the next older version is taken.
fetch() {
  local package=$1 version dir
  for version in $(apt-cache "${apt_options[@]}" showsrc "$package" 2>/dev/null |
                   sed -n 's/^Version: //p' | sort -r -V -u); do
    (cd "$src_root" && rm -rf "$package".* && mkdir "$package.get" && cd "$package.get" &&
       apt-get "${apt_options[@]}" -qq source "$package=$version" >/dev/null 2>&1) || continue
    dir=$(find "$src_root/$package.get" -mindepth 1 -maxdepth 1 -type d | head -n 1)
    [ -n "$dir" ] && { echo "$dir"; return 0; }
  done
  echo "codecs: apt-get source $package gave nothing" >&2
  exit 1
}
version_of() { # the version in the .dsc file's name
  local dsc
  dsc=$(find "$src_root/$1.get" -maxdepth 1 -name '*.dsc' | head -n 1)
  basename "$dsc" .dsc | sed 's/^[^_]*_//'
}

toolchain=$work/toolchain.cmake
cat >"$toolchain" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR $system_processor)
set(CMAKE_C_COMPILER $cc)
set(CMAKE_RC_COMPILER $host-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$host $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
EOF
common_cmake=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
              -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_C_FLAGS="-O2")

build_libjpeg_turbo() {
  local dir=$1 out=$build_root/libjpeg-turbo
  rm -rf "$out"
  # SIMD through nasm; static library only, plus the static djpeg the benchmark compares with.
  cmake -S "$dir" -B "$out" "${common_cmake[@]}" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm >/dev/null
  cmake --build "$out" -j "$jobs" >/dev/null
  cmake --install "$out" >/dev/null
}

build_libpng() {
  local dir=$1 out=$build_root/libpng
  rm -rf "$out"
  cmake -S "$dir" -B "$out" "${common_cmake[@]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON \
    -DZLIB_INCLUDE_DIR=/usr/$host/include -DZLIB_LIBRARY=/usr/$host/lib/libz.a >/dev/null
  cmake --build "$out" -j "$jobs" >/dev/null
  cmake --install "$out" >/dev/null
}

build_giflib() {
  # giflib's own makefile builds shared objects and tools for the host; the library is these files.
  local dir=$1 out=$build_root/giflib f
  rm -rf "$out" && mkdir -p "$out"
  for f in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    "$cc" -O2 -c "$dir/$f.c" -I"$dir" -o "$out/$f.o"
  done
  mkdir -p "$prefix/lib" "$prefix/include"
  rm -f "$prefix/lib/libgif.a"
  "$host-ar" rcs "$prefix/lib/libgif.a" "$out"/*.o
  cp "$dir/gif_lib.h" "$prefix/include/"
}

for lib in "${libraries[@]}"; do
  [ -f "$prefix/stamps/$lib" ] && continue
  started=$(date +%s)
  dir=$(fetch "$lib")
  version=$(version_of "$lib")
  echo "codecs: building $lib $version"
  case $lib in
    libjpeg-turbo) build_libjpeg_turbo "$dir" ;;
    libpng1.6) build_libpng "$dir" ;;
    giflib) build_giflib "$dir" ;;
  esac
  echo "$lib $version" >"$prefix/stamps/$lib"
  echo "codecs: $lib done in $(($(date +%s) - started)) s"
done
rm -rf "$build_root" "$src_root"
echo "codecs: installed in $prefix"
