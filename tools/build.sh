#!/usr/bin/env bash
# Configures and builds the three trees under build/ (or $MB_BUILD_DIR):
#   build/native   portable libraries and tests with sanitizers, the stand-in service
#   build/fuzz     libFuzzer targets (clang)
#   build/windows  every deliverable and the Windows tests (MinGW-w64 i686)
# On a machine whose kernel does not execute 32-bit programs, Wine cannot run the i686 tree; there a
# fourth tree, build/windows64, builds the same sources for x86_64 and its Windows tests run under
# the 64-bit Wine loader instead (tools/windows-test-tree.sh decides).
# build/CTestTestfile.cmake joins the trees whose tests run into one ctest run.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
out=${MB_BUILD_DIR:-$src/build}
jobs=${MB_JOBS:-$(nproc)}
# Extra cache settings for every tree, e.g. MB_CMAKE_ARGS="-DMB_SERVICE_HTTP_PORT=18180" so that two
# build trees can run their tests side by side.
read -r -a extra <<<"${MB_CMAKE_ARGS:-}"
# ccache, when present, keeps rebuilds of a fresh tree short; paths inside the source folder are
# hashed relative to it, so two checkouts of the same sources share the cache.
if command -v ccache >/dev/null; then
  extra+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$src" CCACHE_NOHASHDIR=1
fi
mkdir -p "$out"

configure() { # tree dir extra-args...
  local tree=$1 dir=$2; shift 2
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$src" -B "$dir" -G Ninja -DMB_TREE="$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${extra[@]+"${extra[@]}"} "$@" >/dev/null
  fi
}

configure native  "$out/native"
configure fuzz    "$out/fuzz"    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
configure windows "$out/windows" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
  -DMB_SKIN_ART_DIR="$out/native/skin/art/files"  # drawn by the native tree, copied beside the programs

trees=(native fuzz windows)
windows_tests=$("$src/tools/windows-test-tree.sh")
if [ "$windows_tests" = windows64 ]; then
  echo "build: this machine does not execute 32-bit programs; the Windows tests run in the x86_64 tree"
  configure windows "$out/windows64" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake" \
    -DMB_SKIN_ART_DIR="$out/native/skin/art/files"
  trees+=(windows64)
fi

for tree in "${trees[@]}"; do
  echo "build: $tree"
  cmake --build "$out/$tree" -j "$jobs"
done

cat >"$out/CTestTestfile.cmake" <<CT
# Joins the build trees into one test run: native, fuzz and the Windows tree that can run here.
subdirs("native" "fuzz" "$windows_tests")
CT
