#!/usr/bin/env bash
# Thumbnail benchmark: 200 generated 12-megapixel JPEGs (4000 x 3000) through the picture list's
# thumbnail path (DCT-scaled decode, smooth shrink, framed 90 x 90) under Wine, against djpeg
# -scale 1/8 of the same files, cross-built under Wine and native, in the same run. The three
# alternate for a few rounds (the machine is shared); prints every run, the best of each, and the
# ratios. Every time is wall-clock for all files, process starts included.
#   bench/thumbnail_bench/run_thumbnail_bench.sh [BUILD_DIR] [ROUNDS] [FILES]
# BUILD_DIR defaults to build (its windows tree is used), ROUNDS to 3, FILES to 200.
# Needs the windows tree built, the cross-built codecs (tools/setup.sh) and native djpeg.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
tree=$(cd "${1:-$src/build}/windows" && pwd)
rounds=${2:-3}
count=${3:-200}
bench=$tree/bin/thumbnail_bench.exe
wine_djpeg=${MB_MINGW_CODECS:-/opt/mingw-codecs}/bin/djpeg.exe
for program in "$bench" "$wine_djpeg" "$(command -v djpeg || echo djpeg)"; do
  [ -x "$program" ] || { echo "missing $program: build the windows tree and run tools/setup.sh" >&2; exit 1; }
done

work=$tree/thumbnail_bench_run
photos=$work/photos
"$tree/wine-rig.sh" start >/dev/null
trap '"$tree/wine-rig.sh" stop >/dev/null 2>&1 || true' EXIT
windows() { local p=$1; echo "Z:${p//\//\\}"; }

# The photos are made once (by our encoder, under Wine) and kept for later runs.
if [ "$(find "$photos" -name '*.jpg' 2>/dev/null | wc -l)" -ne "$count" ]; then
  rm -rf "$photos"
  mkdir -p "$photos"
  echo "making $count photos of 4000 x 3000 in $photos"
  "$tree/wine-run.sh" "$bench" generate "$(windows "$photos")" "$count"
fi
files=("$photos"/*.jpg)
echo "$(du -sm "$photos" | cut -f1) MB in ${#files[@]} files"

# The Wine djpeg runs from one batch file: one Wine start, then one process per file.
batch=$work/djpeg.bat
cp "$wine_djpeg" "$work/djpeg.exe"
: >"$batch"
for f in "${files[@]}"; do printf 'djpeg.exe -scale 1/8 -outfile NUL "%s"\r\n' "$(windows "$f")" >>"$batch"; done

milliseconds() { # command...: its wall-clock time
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
native_djpeg() { for f in "${files[@]}"; do djpeg -scale 1/8 -outfile /dev/null "$f"; done; }
ours() { "$tree/wine-run.sh" "$bench" thumbs "$(windows "$photos")"; }
wine_djpeg_batch() { (cd "$work" && "$tree/wine-run.sh" cmd /c djpeg.bat); }

best_ours=999999999 best_wine=999999999 best_native=999999999
for round in $(seq 1 "$rounds"); do
  t_ours=$(milliseconds ours)
  t_wine=$(milliseconds wine_djpeg_batch)
  t_native=$(milliseconds native_djpeg)
  echo "round $round: thumbnails under Wine $t_ours ms, djpeg 1/8 under Wine $t_wine ms, native djpeg 1/8 $t_native ms"
  if ((t_ours < best_ours)); then best_ours=$t_ours; fi
  if ((t_wine < best_wine)); then best_wine=$t_wine; fi
  if ((t_native < best_native)); then best_native=$t_native; fi
done
n=${#files[@]}
awk -v o="$best_ours" -v w="$best_wine" -v d="$best_native" -v n="$n" 'BEGIN {
  printf "best per file: thumbnails under Wine %.1f ms, djpeg 1/8 under Wine %.1f ms, native djpeg 1/8 %.1f ms\n",
         o / n, w / n, d / n
  printf "ratio thumbnails / native djpeg 1/8: %.2f (goal <= 1.5); thumbnails / djpeg 1/8 under Wine: %.2f\n", o / d, o / w
}'
