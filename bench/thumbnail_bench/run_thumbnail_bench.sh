#!/usr/bin/env bash
# Thumbnail benchmark: 200 generated 12-megapixel JPEGs (4000 x 3000) through the picture list's
# thumbnail path (DCT-scaled decode, smooth shrink, framed 90 x 90) under Wine, against djpeg
# -scale 1/8 of the same files, cross-built under Wine and native, in the same run. The three
# alternate for a few rounds (the machine is shared); prints every run, the best and median of each,
# and the ratios. Every time is wall-clock for all files, process starts included.
#   bench/thumbnail_bench/run_thumbnail_bench.sh [BUILD_DIR] [ROUNDS] [FILES]
# BUILD_DIR defaults to build; its Windows tree is the one whose programs run here
# (tools/windows-test-tree.sh: windows, or windows64 where 32-bit programs do not run; printed), and the
# Wine djpeg is the one cross-built for that tree's architecture, ROUNDS defaults to 3, FILES to 200.
# Needs that tree built, its cross-built codecs (tools/mingw-codecs.sh) and native djpeg.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/bench/bench_common.sh"
pick_windows_tree "${1:-$src/build}"
rounds=${2:-3}
count=${3:-200}
bench=$tree/bin/thumbnail_bench.exe
case $tree_name in
  windows64) codecs=/opt/mingw-codecs-x86_64 codecs_arch=x86_64 ;;
  *) codecs=/opt/mingw-codecs codecs_arch=i686 ;;
esac
wine_djpeg=${MB_MINGW_CODECS:-$codecs}/bin/djpeg.exe
echo "Wine djpeg $wine_djpeg"
for program in "$bench" "$tree/bench/thumbnail_bench/thumbnail_bench_native" "$wine_djpeg" \
               "$(command -v djpeg || echo djpeg)"; do
  [ -x "$program" ] || {
    echo "missing $program: build the $tree_name tree and run tools/mingw-codecs.sh $codecs_arch" >&2
    exit 1
  }
done

work=$tree/thumbnail_bench_run
photos=$work/photos
native_bench=$tree/bench/thumbnail_bench/thumbnail_bench_native
mkdir -p "$work"
wine_runs=1
if ! "$tree/wine-rig.sh" start >/dev/null 2>&1; then
  wine_runs=0
  echo "Wine does not start on this machine: only the native figures are measured"
fi
trap '"$tree/wine-rig.sh" stop >/dev/null 2>&1 || true' EXIT

# The photos are made once (by our encoder) and kept for later runs.
if [ "$(find "$photos" -name '*.jpg' 2>/dev/null | wc -l)" -ne "$count" ]; then
  rm -rf "$photos"
  mkdir -p "$photos"
  echo "making $count photos of 4000 x 3000 in $photos"
  if ((wine_runs)); then
    "$tree/wine-run.sh" "$bench" generate "$(windows "$photos")" "$count"
  else
    "$native_bench" generate "$photos" "$count"
  fi
fi
files=("$photos"/*.jpg)
echo "$(du -sm "$photos" | cut -f1) MB in ${#files[@]} files"

# The Wine djpeg runs from one batch file: one Wine start, then one process per file.
batch=$work/djpeg.bat
cp "$wine_djpeg" "$work/djpeg.exe"
: >"$batch"
for f in "${files[@]}"; do printf 'djpeg.exe -scale 1/8 -outfile NUL "%s"\r\n' "$(windows "$f")" >>"$batch"; done

native_djpeg() { for f in "${files[@]}"; do djpeg -scale 1/8 -outfile /dev/null "$f"; done; }
ours_wine() { "$tree/wine-run.sh" "$bench" thumbs "$(windows "$photos")"; }
ours_native() { "$native_bench" thumbs "$photos"; }
wine_djpeg_batch() { (cd "$work" && "$tree/wine-run.sh" cmd /c djpeg.bat); }

measure() { # name command
  local t
  t=$(milliseconds "$2")
  printf '  %-34s %6d ms\n' "$1" "$t"
  note "$1" "$t"
}
for round in $(seq 1 "$rounds"); do
  echo "round $round:"
  if ((wine_runs)); then
    measure "thumbnails under Wine" ours_wine
    measure "djpeg -scale 1/8 under Wine" wine_djpeg_batch
  fi
  measure "thumbnails native" ours_native
  measure "native djpeg -scale 1/8" native_djpeg
done
n=${#files[@]}
names=("thumbnails native" "native djpeg -scale 1/8")
((wine_runs)) && names=("thumbnails under Wine" "djpeg -scale 1/8 under Wine" "${names[@]}")
echo "per file:"
for name in "${names[@]}"; do
  awk -v name="$name" -v b="$(lowest "$name")" -v m="$(median "$name")" -v n="$n" \
    'BEGIN { printf "  %-34s best %6.1f ms, median %6.1f ms\n", name, b / n, m / n }'
done
compare() { # a b text
  echo "$3: best $(ratio "$(lowest "$1")" "$(lowest "$2")"), median $(ratio "$(median "$1")" "$(median "$2")")"
}
if ((wine_runs)); then
  compare "thumbnails under Wine" "native djpeg -scale 1/8" "ratio thumbnails under Wine / native djpeg 1/8 (goal <= 1.5)"
  compare "thumbnails under Wine" "djpeg -scale 1/8 under Wine" "ratio thumbnails under Wine / djpeg 1/8 under Wine"
fi
compare "thumbnails native" "native djpeg -scale 1/8" "ratio thumbnails native / native djpeg 1/8"
